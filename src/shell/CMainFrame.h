#pragma once
// The main window: menu bar (one set of menus while no document is open,
// another while one is), toolbar, status bar with the coordinate panes, and
// the area holding one child frame per view.

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QTextBrowser>

#include <functional>

class CChildFrame;
class CFFDoc;
class CVexilApp;
class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CVexilApp& app);
    ~CMainFrame() override;

    static constexpr int kPaneCount = 9;

    // The action of a command id, or nullptr.
    QAction* action(int id) const { return actions_.value(id); }
    // Carries out a command as the menu, toolbar or accelerator would:
    // nothing happens when the command is disabled. False if it was.
    bool runCommand(int id);
    // Carries out an accelerator key sequence (portable text form).
    bool runAccelerator(const QString& keys);

    // Installs the handler of a command id: what it does and, optionally,
    // when it is enabled (always, without a predicate). Each concern of the
    // frame (tuning, undo, export, ...) installs its own commands from its
    // own file; installCommandHandlers() calls them all.
    using CommandRun = std::function<void()>;
    using CommandEnabled = std::function<bool()>;
    void setCommandHandler(int id, CommandRun run, CommandEnabled enabled = {});
    // Re-evaluates which commands are enabled (after a change that a
    // handler's predicate depends on).
    void updateCommandStates();

    QString paneText(int pane) const;
    void setPaneText(int pane, const QString& text);

    QMdiArea* mdiArea() const { return mdi_; }
    QToolBar* toolBar() const { return toolBar_; }
    // Titles of the menus now in the menu bar.
    QStringList menuTitles() const;
    // The Window menu (it lists the child windows when it opens).
    QMenu* windowMenu() const { return windowMenu_; }

    CChildFrame* createChildFrame(CFFDoc* doc);
    QList<CChildFrame*> framesOf(const CFFDoc* doc) const;
    const QList<CChildFrame*>& childFrames() const { return frames_; }
    CChildFrame* activeFrame() const;
    CFFDoc* activeDocument() const;
    void activateDocument(CFFDoc* doc);
    // Closes every window of doc without asking (the document was asked).
    void closeFramesOf(CFFDoc* doc);

    // Window commands.
    void windowNew();
    void cascade();
    void tile();
    void arrangeIcons();
    // Fit in window on every view of every document.
    void refitAllViews();

    void showHelpTopics();
    QTextBrowser* helpBrowser() const { return help_; }

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createAccelerators();
    void updateMenuBar();
    void updateRecentFileMenu();
    void installCommandHandlers();
    void updateTitles();
    void frameGone(CChildFrame* frame, CFFDoc* doc);
    void runViewCommand(int id);
    void updateWindowList();

    CVexilApp& app_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMap<int, QAction*> actions_;
    struct Handler {
        CommandRun run;
        CommandEnabled enabled;
    };
    QMap<int, Handler> handlers_;
    QList<QMenu*> noDocumentMenus_;
    QList<QMenu*> documentMenus_;
    QMenu* recentMenu_ = nullptr;  // the File menu holding the recent files
    QList<QAction*> recentActions_;
    QMenu* windowMenu_ = nullptr;       // the Window menu, which lists the windows
    QList<QAction*> windowListActions_;
    QLabel* panes_[kPaneCount] = {};
    QList<CChildFrame*> frames_;
    QPointer<QTextBrowser> help_;
    bool showingDocumentMenus_ = false;
};
