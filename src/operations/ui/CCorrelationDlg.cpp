#include "CCorrelationDlg.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Courier 8, or the system's fixed font at 8 points where no Courier-like
// font is fixed-pitch: the columns only line up in a fixed-pitch font.
QFont tableFont()
{
    QFont font(QStringLiteral("Courier"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(8);
    return fixed;
}

}  // namespace

CCorrelationDlg::CCorrelationDlg(const QString& title, const QString& table, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    field_ = new QPlainTextEdit(this);
    field_->setReadOnly(true);
    // Keyboard users can select and copy the table too.
    field_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    field_->setLineWrapMode(QPlainTextEdit::NoWrap);
    field_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field_->setFont(tableFont());
    QString text = table;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    field_->setPlainText(text);
    layout->addWidget(field_);

    // Room for the whole table where the screen allows it.
    const QFontMetrics metrics(field_->font());
    int width = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        width = qMax(width, metrics.horizontalAdvance(line));
    QSize size(width + 60, metrics.lineSpacing() * int(lines.size()) + 60);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 3 / 4);
    resize(size.expandedTo(QSize(320, 160)));
}

void CCorrelationDlg::Show(const QString& title, const QString& table)
{
    CCorrelationDlg dialog(title, table, QApplication::activeWindow());
    dialog.exec();
}
