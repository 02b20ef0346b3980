#pragma once
// The application object: starts the program, keeps the open documents in
// the order they were made, creates documents from files and from the
// pending F-file, and keeps the recent-file list.

#include "RecentFileList.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CFFDoc;
class CMainFrame;

class CVexilApp : public QObject {
    Q_OBJECT
public:
    CVexilApp();
    ~CVexilApp() override;

    static CVexilApp* instance();

    // Start-up: recent files, main frame, the command line. With a file name
    // that file is opened; false when it cannot be, and the program ends.
    // The main window is shown only when everything succeeded.
    bool InitInstance(const QStringList& files, bool show = true);

    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    const QList<CFFDoc*>& documents() const { return documents_; }

    // Opens the F-file at path in a new window (or brings up the window of
    // the document that already shows it); nullptr if it fails.
    CFFDoc* OpenDocumentFile(const QString& path);
    // New: a document for the pending F-file, or nothing when none waits.
    CFFDoc* OnFileNew();
    // File > Open with the file dialog.
    void OnFileOpen();
    // A recent-file entry; an entry that fails to open leaves the list.
    void OnOpenRecentFile(int index);
    // File > Close for doc: asks to save if modified, then closes all its
    // windows. False if the user kept it open.
    bool CloseDocument(CFFDoc* doc);
    // Exit: asks to save each modified document; false if the user cancelled.
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();
    void OnAppExit();
    void OnAppAbout();

    RecentFileList& recentFiles() { return recent_; }
    void addToRecentFileList(const QString& path);

    int frameCount(const CFFDoc* doc) const;
    // Called when the last window of a document is gone.
    void documentFramesGone(CFFDoc* doc);

    // Asks for a file to open; "" for Cancel. Tests install a scripted one.
    using OpenPrompt = std::function<QString()>;
    static void setOpenPrompt(OpenPrompt prompt);

signals:
    void recentFilesChanged();
    void documentsChanged();

private:
    CFFDoc* findOpenDocument(const QString& path) const;
    void adopt(CFFDoc* doc);

    std::unique_ptr<CMainFrame> mainFrame_;
    QList<CFFDoc*> documents_;
    RecentFileList recent_;
    int untitledCount_ = 0;
};
