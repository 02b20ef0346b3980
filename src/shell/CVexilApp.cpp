#include "CVexilApp.h"

#include "CAboutDlg.h"
#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CMainFrame.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

// The help pages live in a static library: register them explicitly.
static void initShellResources() { Q_INIT_RESOURCE(shell); }

namespace {

CVexilApp* theApp = nullptr;

CVexilApp::OpenPrompt& openPrompt()
{
    static CVexilApp::OpenPrompt prompt;
    return prompt;
}

QString canonical(const QString& path)
{
    QFileInfo info(path);
    const QString c = info.canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : c;
}

}  // namespace

CVexilApp::CVexilApp()
{
    initShellResources();
    theApp = this;
}

CVexilApp::~CVexilApp()
{
    // Windows first: they hold views of the documents.
    mainFrame_.reset();
    qDeleteAll(documents_);
    documents_.clear();
    if (theApp == this)
        theApp = nullptr;
}

CVexilApp* CVexilApp::instance() { return theApp; }

void CVexilApp::setOpenPrompt(OpenPrompt prompt) { openPrompt() = std::move(prompt); }

bool CVexilApp::InitInstance(const QStringList& files, bool show)
{
    recent_.load();
    mainFrame_ = std::make_unique<CMainFrame>(*this);
    mainFrame_->setAcceptDrops(true);
    for (const QString& file : files) {
        if (!OpenDocumentFile(file))
            return false;
    }
    if (files.isEmpty())
        OnFileNew();  // nothing is pending, so this makes no document
    if (show)
        mainFrame_->show();
    return true;
}

CFFDoc* CVexilApp::findOpenDocument(const QString& path) const
{
    const QString wanted = canonical(path);
    // A table column is one of many records of its file: opening the file
    // again offers the choice again.
    for (CFFDoc* doc : documents_)
        if (!doc->pathName().isEmpty() && !doc->fromTableColumn() && canonical(doc->pathName()) == wanted)
            return doc;
    return nullptr;
}

CFFDoc* CVexilApp::OpenDocumentFile(const QString& path)
{
    if (CFFDoc* open = findOpenDocument(path)) {
        if (mainFrame_)
            mainFrame_->activateDocument(open);
        addToRecentFileList(open->pathName());
        return open;
    }
    // The document is made and read before any window exists, so a file
    // that fails leaves neither a document nor an empty window behind.
    auto doc = std::make_unique<CFFDoc>();
    if (!doc->OpenDocument(path))
        return nullptr;
    doc->setPathName(path);
    CFFDoc* opened = doc.release();
    adopt(opened);
    addToRecentFileList(opened->pathName());
    return opened;
}

CFFDoc* CVexilApp::OnFileNew()
{
    auto doc = std::make_unique<CFFDoc>();
    doc->setTitle(QStringLiteral("new%1").arg(untitledCount_ + 1));
    if (!doc->NewDocument())
        return nullptr;
    ++untitledCount_;
    CFFDoc* made = doc.release();
    adopt(made);
    return made;
}

void CVexilApp::adopt(CFFDoc* doc)
{
    doc->setParent(this);
    documents_.append(doc);
    connect(doc, &CFFDoc::savedAs, this, &CVexilApp::addToRecentFileList);
    if (mainFrame_)
        mainFrame_->createChildFrame(doc);
    emit documentsChanged();
}

void CVexilApp::OnFileOpen()
{
    QString path;
    if (openPrompt()) {
        path = openPrompt()();
    } else {
        path = QFileDialog::getOpenFileName(mainFrame_.get(), QStringLiteral("Open"), QString(),
                                            QStringLiteral("F-Files (*.ff);;FITS files (*.fits *.fit *.fts *.fits.gz *.fit.gz "
                                                           "*.fts.gz);;All Files (*)"));
    }
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CVexilApp::OnOpenRecentFile(int index)
{
    if (index < 0 || index >= recent_.size())
        return;
    const QString path = recent_.at(index);
    if (!OpenDocumentFile(path)) {
        recent_.removePath(path);
        recent_.save();
        emit recentFilesChanged();
    }
}

void CVexilApp::addToRecentFileList(const QString& path)
{
    recent_.add(path);
    recent_.save();
    emit recentFilesChanged();
}

bool CVexilApp::CloseDocument(CFFDoc* doc)
{
    if (!doc->SaveModified())
        return false;
    if (mainFrame_)
        mainFrame_->closeFramesOf(doc);
    if (documents_.contains(doc))
        documentFramesGone(doc);
    return true;
}

bool CVexilApp::SaveAllModified()
{
    for (CFFDoc* doc : QList<CFFDoc*>(documents_))
        if (!doc->SaveModified())
            return false;
    return true;
}

void CVexilApp::CloseAllDocuments()
{
    for (CFFDoc* doc : QList<CFFDoc*>(documents_)) {
        if (mainFrame_)
            mainFrame_->closeFramesOf(doc);
        if (documents_.contains(doc))
            documentFramesGone(doc);
    }
}

void CVexilApp::OnAppExit()
{
    if (mainFrame_)
        mainFrame_->close();  // the frame's close asks about modified documents
    else if (SaveAllModified())
        QApplication::quit();
}

void CVexilApp::OnAppAbout()
{
    CAboutDlg dlg(mainFrame_.get());
    dlg.exec();
}

int CVexilApp::frameCount(const CFFDoc* doc) const
{
    return mainFrame_ ? static_cast<int>(mainFrame_->framesOf(doc).size()) : 0;
}

void CVexilApp::documentFramesGone(CFFDoc* doc)
{
    if (!documents_.removeOne(doc))
        return;
    delete doc;
    emit documentsChanged();
}
