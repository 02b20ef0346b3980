// The main frame's child windows: creating one per view, the Window menu's
// list and commands (New, Cascade, Tile, Arrange Icons), and finding the
// frames and documents behind them.

#include "CMainFrame.h"

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CVexilApp.h"
#include "ChildPlacement.h"
#include "ToolbarIcons.h"
#include "ViewHost.h"
#include "AxesCommand.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>

void CMainFrame::updateWindowList()
{
    // As the toolkit's Window menu always did: the open windows below the
    // commands, numbered, the active one checked.
    for (QAction* a : windowListActions_) {
        windowMenu_->removeAction(a);
        delete a;
    }
    windowListActions_.clear();
    if (frames_.isEmpty())
        return;
    windowListActions_.append(windowMenu_->addSeparator());
    CChildFrame* active = activeFrame();
    for (int i = 0; i < frames_.size(); ++i) {
        CChildFrame* frame = frames_[i];
        QString title = frame->shownTitle();
        title.replace(QLatin1Char('&'), QLatin1String("&&"));
        auto* a = windowMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title));
        a->setCheckable(true);
        a->setChecked(frame == active);
        a->setStatusTip(QStringLiteral("Activate this window"));
        QPointer<CChildFrame> target(frame);
        connect(a, &QAction::triggered, this, [this, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            mdi_->setActiveSubWindow(target);
        });
        windowListActions_.append(a);
    }
}

CChildFrame* CMainFrame::createChildFrame(CFFDoc* doc)
{
    auto* frame = new CChildFrame(doc);
    frame->setWindowIcon(ToolbarIcons::appIcon());
    ViewHost::Links links;
    links.setPane = [this](int pane, const QString& text) { setPaneText(pane, text); };
    links.newDocument = [this] { app_.OnFileNew(); };
    QWidget* view = ViewHost::createView(*doc, frame, links);
    frame->setView(view, ViewHost::withRulers(view, AxesCommand::shown()));
    mdi_->addSubWindow(frame);
    frames_.append(frame);
    connect(frame, &CChildFrame::frameDestroyed, this, &CMainFrame::frameGone);
    // Undo and Redo (no source) change values the marks were set on.
    connect(doc, &CFFDoc::samplesChanged, frame, [frame](QObject* source, int first, int last) {
        if (frame->view())
            ViewHost::samplesChanged(frame->view(), first, last, source == nullptr);
    });
    connect(doc, &CFFDoc::axisChanged, frame, [frame] {
        if (frame->view())
            ViewHost::axisChanged(frame->view());
    });
    connect(doc, &CFFDoc::titleChanged, this, [this] { updateTitles(); });
    connect(doc, &CFFDoc::modifiedChanged, this, [this] { updateTitles(); });

    // The first window fills the workspace, later ones cascade from the last
    // one shown (before the main window is first shown, in the area it is
    // going to have).
    QSize area = mdi_->viewport()->size();
    if (!isVisible())
        area = size() - QSize(0, menuBar()->sizeHint().height() + toolBar_->sizeHint().height() +
                                     statusBar()->sizeHint().height());
    const CChildFrame* last = nullptr;
    for (const CChildFrame* other : frames_)
        if (other != frame && !other->isHidden() && !other->isMinimized())
            last = other;
    ChildPlacement::place(mdi_, frame, last, QRect(QPoint(0, 0), area));
    frame->show();
    mdi_->setActiveSubWindow(frame);
    updateMenuBar();
    updateTitles();
    updateCommandStates();
    return frame;
}

void CMainFrame::frameGone(CChildFrame* frame, CFFDoc* doc)
{
    frames_.removeOne(frame);
    if (doc && framesOf(doc).isEmpty())
        app_.documentFramesGone(doc);
    updateMenuBar();
    updateTitles();
    updateCommandStates();
}

QList<CChildFrame*> CMainFrame::framesOf(const CFFDoc* doc) const
{
    QList<CChildFrame*> out;
    for (CChildFrame* frame : frames_)
        if (frame->document() == doc)
            out.append(frame);
    return out;
}

CChildFrame* CMainFrame::activeFrame() const
{
    auto* frame = qobject_cast<CChildFrame*>(mdi_->currentSubWindow());
    return frames_.contains(frame) ? frame : nullptr;
}

CFFDoc* CMainFrame::activeDocument() const
{
    CChildFrame* frame = activeFrame();
    return frame ? frame->document() : nullptr;
}

void CMainFrame::activateDocument(CFFDoc* doc)
{
    const QList<CChildFrame*> mine = framesOf(doc);
    if (mine.isEmpty())
        return;
    if (mine.first()->isMinimized())
        mine.first()->showNormal();
    mdi_->setActiveSubWindow(mine.first());
}

void CMainFrame::closeFramesOf(CFFDoc* doc)
{
    // Deleted at once rather than later, so that no view outlives the
    // document it reads.
    for (CChildFrame* frame : framesOf(doc))
        delete frame;
}

void CMainFrame::windowNew()
{
    if (CFFDoc* doc = activeDocument())
        createChildFrame(doc);
}

void CMainFrame::cascade()
{
    mdi_->cascadeSubWindows();
    refitAllViews();
}

void CMainFrame::tile()
{
    // One above the other, each the full width of the area.
    QList<CChildFrame*> shown;
    for (CChildFrame* frame : frames_)
        if (!frame->isMinimized() && frame->isVisible())
            shown.append(frame);
    if (!shown.isEmpty()) {
        // Windows reaching past the area show scroll bars that narrow it;
        // the tiled windows fit exactly, so measure the area without them.
        mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const QRect area = mdi_->viewport()->rect();
        const int n = static_cast<int>(shown.size());
        for (int i = 0; i < n; ++i) {
            if (shown[i]->isMaximized())
                shown[i]->showNormal();
            const int top = area.height() * i / n;
            const int bottom = area.height() * (i + 1) / n;
            shown[i]->setGeometry(0, top, area.width(), bottom - top);
        }
        mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    refitAllViews();
}

void CMainFrame::arrangeIcons()
{
    int x = 0;
    const int bottom = mdi_->viewport()->height();
    for (CChildFrame* frame : frames_) {
        if (!frame->isMinimized())
            continue;
        const QSize size = frame->size();
        frame->move(x, bottom - size.height());
        x += size.width();
    }
}

void CMainFrame::refitAllViews()
{
    for (CChildFrame* frame : frames_)
        if (frame->view())
            ViewHost::fitInWindow(frame->view());
}

