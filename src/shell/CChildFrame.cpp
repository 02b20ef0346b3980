#include "CChildFrame.h"

#include "CFFDoc.h"
#include "CVexilApp.h"

#include <QCloseEvent>

CChildFrame::CChildFrame(CFFDoc* doc, QWidget* parent) : QMdiSubWindow(parent), doc_(doc)
{
    setAttribute(Qt::WA_DeleteOnClose);
    connect(doc, &CFFDoc::titleChanged, this, [this] { updateTitle(); });
    connect(doc, &CFFDoc::modifiedChanged, this, [this] { updateTitle(); });
    updateTitle();
}

CChildFrame::~CChildFrame()
{
    // The view reads the document's F-file until it is gone, so it goes
    // first; then the application may release the document.
    delete widget();
    emit frameDestroyed(this, doc_);
}

void CChildFrame::setView(QWidget* view, QWidget* holder)
{
    view_ = view;
    setWidget(holder ? holder : view);
}

void CChildFrame::closeWithoutAsking()
{
    asked_ = true;
    close();
}

void CChildFrame::setTitleIndex(int index)
{
    index_ = index;
    updateTitle();
}

void CChildFrame::updateTitle()
{
    if (!doc_)
        return;
    QString title = doc_->title();
    if (index_ > 0)
        title += QStringLiteral(":%1").arg(index_);
    // Unsaved changes show the desktop's usual way (a star after the title).
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(doc_->isModified());
}

QString CChildFrame::shownTitle() const
{
    QString title = windowTitle();
    return title.replace(QStringLiteral("[*]"), isWindowModified() ? QStringLiteral("*") : QString());
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    // Only the last window of a document asks whether to save it.
    if (!asked_ && doc_ && CVexilApp::instance() && CVexilApp::instance()->frameCount(doc_) <= 1 &&
        !doc_->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
