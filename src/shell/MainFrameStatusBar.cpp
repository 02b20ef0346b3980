// The main frame's status bar: pane 0 for command help, then the X and Y
// readout panes the views write.

#include "CMainFrame.h"

#include "FFile.h"
#include "ReadoutText.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

#include <string>

namespace {

// Room between a pane's frame and its text, on each side.
constexpr int kPaneMargin = 3;

QString latin1(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

// The widest texts each pane shows. The readings come in the forms of the
// coordinate texts; their digits are measured as the font's widest digit,
// so that no reading is ever cut, whatever its value. Unit texts (and
// distances of more than about 10^8) are rare enough to widen their pane
// when they come (see setPaneText).
QStringList widestTexts(int pane)
{
    using namespace ReadoutText;
    // The C library prints two or three exponent digits; room for three.
    const QString number = latin1(numberText(-1e300, 3));
    switch (pane) {
    case 1: return {QStringLiteral("X")};
    case 5: return {QStringLiteral("Y")};
    case 2:
        return {latin1(timeText(0, kMaxDecimals)), latin1(angleText(0, kMaxDecimals)),
                latin1(numberText(-1e300, kMaxMantissaDigits)), number};
    case 3:
        return {latin1(distanceText(-10000000.0, kMaxDecimals)), latin1(numberText(-1e300, kMaxMantissaDigits))};
    case 6:
    case 7: return {number};
    case 4:
    case 8: return {QStringLiteral("________"), QStringLiteral("ARCSEC")};
    default: return {};
    }
}

int widestDigitWidth(const QFontMetrics& fm)
{
    int widest = 0;
    for (char c = '0'; c <= '9'; ++c)
        widest = qMax(widest, fm.horizontalAdvance(QLatin1Char(c)));
    return widest;
}

// The width of text with every digit as wide as the widest one.
int textWidth(const QFontMetrics& fm, const QString& text)
{
    int width = 0;
    const int digit = widestDigitWidth(fm);
    for (QChar c : text)
        width += c.isDigit() ? digit : fm.horizontalAdvance(c);
    return qMax(width, fm.horizontalAdvance(text));
}

int paneWidthFor(const QLabel* pane, int textWidth)
{
    return textWidth + 2 * (pane->frameWidth() + kPaneMargin) + 1;
}

}  // namespace

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    for (int i = 0; i < kPaneCount; ++i) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QStringLiteral("pane%1").arg(i));
        if (i == 0) {
            bar->addWidget(pane, 1);
        } else {
            pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            pane->setIndent(0);
            pane->setMargin(kPaneMargin);
            const QFontMetrics fm = pane->fontMetrics();
            int width = 0;
            for (const QString& text : widestTexts(i))
                width = qMax(width, textWidth(fm, text));
            pane->setFixedWidth(paneWidthFor(pane, width));
            pane->setText(i == 1 ? QStringLiteral("X") : i == 5 ? QStringLiteral("Y") : QString());
            bar->addPermanentWidget(pane);
        }
        panes_[i] = pane;
    }
}

QString CMainFrame::paneText(int pane) const
{
    return pane >= 0 && pane < kPaneCount ? panes_[pane]->text() : QString();
}

void CMainFrame::setPaneText(int pane, const QString& text)
{
    if (pane < 0 || pane >= kPaneCount)
        return;
    QLabel* label = panes_[pane];
    // A text wider than its pane widens the pane rather than lose characters.
    if (pane > 0) {
        const int needed = paneWidthFor(label, label->fontMetrics().horizontalAdvance(text));
        if (needed > label->minimumWidth())
            label->setFixedWidth(needed);
    }
    label->setText(text);
}
