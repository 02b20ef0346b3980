// The main frame's status bar: pane 0 for command help, then the X and Y
// readout panes the views write.

#include "CMainFrame.h"

#include <QLabel>
#include <QStatusBar>

namespace {

// Status-bar panes: the text that sizes each one (pane 0 takes the rest).
const char* const kPaneSizers[CMainFrame::kPaneCount] = {
    "", "X", "__________", "__________", "________", "Y", "__________", "__________", "________",
};

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
            const int width = pane->fontMetrics().horizontalAdvance(QString::fromLatin1(kPaneSizers[i]));
            pane->setFixedWidth(width + 2 * pane->frameWidth() + 6);
            pane->setText(QString::fromLatin1(kPaneSizers[i]));
            bar->addPermanentWidget(pane);
        }
        panes_[i] = pane;
    }
    // The underscores only reserve room; the panes start empty.
    for (int i : {0, 2, 3, 4, 6, 7, 8})
        panes_[i]->clear();
}

QString CMainFrame::paneText(int pane) const
{
    return pane >= 0 && pane < kPaneCount ? panes_[pane]->text() : QString();
}

void CMainFrame::setPaneText(int pane, const QString& text)
{
    if (pane >= 0 && pane < kPaneCount)
        panes_[pane]->setText(text);
}

