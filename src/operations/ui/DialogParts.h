#pragma once
// Pieces the settings dialogs share: the OK/Cancel row, the number field
// changed only by its arrows, a titled column of radio buttons, and the
// modal run over the active window.

#include <QStringList>

class QAbstractButton;
class QButtonGroup;
class QDialog;
class QGroupBox;
class QSpinBox;
class QVBoxLayout;
class QWidget;

namespace DialogParts {

// OK (the default button, so that Enter accepts) and Cancel, added at the
// bottom of layout and wired to accept and reject. Escape rejects any
// QDialog already. A fixed dialog keeps the size its controls need.
void addOkCancel(QDialog& dialog, QVBoxLayout& layout, bool fixedSize = true);

// A spin whose field shows its value but takes no typing: the value moves
// only by the arrows (and the Up/Down keys), from lo to hi, without wrapping.
QSpinBox* arrowSpin(int lo, int hi, int value, QWidget* parent);

// A group box titled title holding one radio button per text; the buttons'
// ids are their positions (0, 1, ...), which are the values of the setting
// they choose. The button of value is checked (none when out of range).
QButtonGroup* radioColumn(QGroupBox* box, const QStringList& texts, int value);

// The checked id of group, or fallback when no button is checked.
int checkedValue(const QButtonGroup* group, int fallback);

// Shows dialog modally over the active window; true for OK.
bool runModal(QDialog& dialog);

}  // namespace DialogParts
