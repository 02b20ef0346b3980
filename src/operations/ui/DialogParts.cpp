#include "DialogParts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace DialogParts {

void addOkCancel(QDialog& dialog, QVBoxLayout& layout, bool fixedSize)
{
    if (fixedSize)
        layout.setSizeConstraint(QLayout::SetFixedSize);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // Wide enough for the caption beside the title bar's buttons.
    QFont caption = dialog.font();
    caption.setBold(true);
    buttons->setMinimumWidth(QFontMetrics(caption).horizontalAdvance(dialog.windowTitle()) + 100);
    layout.addWidget(buttons);
}

QSpinBox* arrowSpin(int lo, int hi, int value, QWidget* parent)
{
    auto* spin = new QSpinBox(parent);
    spin->setRange(lo, hi);
    spin->setWrapping(false);
    spin->setValue(value);
    // The field itself refuses typing; the spin's arrows and keys still work.
    spin->findChild<QLineEdit*>()->setReadOnly(true);
    return spin;
}

QButtonGroup* radioColumn(QGroupBox* box, const QStringList& texts, int value)
{
    auto* group = new QButtonGroup(box);
    auto* layout = new QVBoxLayout(box);
    for (int id = 0; id < texts.size(); ++id) {
        auto* radio = new QRadioButton(texts[id], box);
        radio->setChecked(id == value);
        group->addButton(radio, id);
        layout->addWidget(radio);
    }
    return group;
}

int checkedValue(const QButtonGroup* group, int fallback)
{
    const int id = group->checkedId();
    return id < 0 ? fallback : id;
}

bool runModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

}  // namespace DialogParts
