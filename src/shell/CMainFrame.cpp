#include "CMainFrame.h"

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CVexilApp.h"
#include "AxesCommand.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "HeadCommand.h"
#include "ExportCommands.h"
#include "ToolbarIcons.h"
#include "TuneCommands.h"
#include "UndoCommands.h"
#include "ViewHost.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace {

// Commands the main frame, the application or the document handle; the
// rest belong to the view (or have no handler yet).
bool alwaysEnabled(int id)
{
    switch (id) {
    case Cmd::FileNew:
    case Cmd::FileOpen:
    case Cmd::AppExit:
    case Cmd::ViewToolbar:
    case Cmd::ViewStatusBar:
    case Cmd::HelpTopics:
    case Cmd::AppAbout:
    case Cmd::WindowCascade:
    case Cmd::WindowTile:
    case Cmd::WindowArrange:
        return true;
    default:
        return false;
    }
}

bool needsDocument(int id)
{
    return id == Cmd::FileClose || id == Cmd::FileSave || id == Cmd::FileSaveAs || id == Cmd::WindowNew;
}

}  // namespace

CMainFrame::CMainFrame(CVexilApp& app) : app_(app)
{
    setWindowTitle(QStringLiteral("Vexil"));
    setWindowIcon(ToolbarIcons::appIcon());
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        updateTitles();
        updateCommandStates();
    });

    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    createAccelerators();
    installCommandHandlers();
    connect(&app_, &CVexilApp::recentFilesChanged, this, &CMainFrame::updateRecentFileMenu);
    updateRecentFileMenu();
    updateMenuBar();
    updateCommandStates();
    // Three quarters of the screen, but no less than 800 x 600 where the
    // screen allows.
    QSize size(800, 600);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableGeometry().size();
        size = QSize(qMax(800, avail.width() * 3 / 4), qMax(600, avail.height() * 3 / 4)).boundedTo(avail);
    }
    resize(size);
}

CMainFrame::~CMainFrame()
{
    // The frames go before the rest of the window; their documents are the
    // application's to release.
    const QList<CChildFrame*> frames = frames_;
    frames_.clear();
    for (CChildFrame* frame : frames) {
        disconnect(frame, nullptr, this, nullptr);
        delete frame;
    }
    delete help_;
}

void CMainFrame::createActions()
{
    QList<int> ids = {Cmd::FileNew};
    for (const auto* bar : {&CommandTable::noDocumentMenus(), &CommandTable::documentMenus()})
        for (const auto& menu : *bar)
            for (const auto& item : menu.items)
                if (item.id != 0 && !ids.contains(item.id))
                    ids.append(item.id);

    for (int id : ids) {
        const char* text = CommandTable::menuText(id);
        auto* a = new QAction(QString::fromLatin1(text ? text : "&New"), this);
        a->setData(id);
        a->setStatusTip(QString::fromStdString(CommandTable::statusTip(id)));
        const std::string tip = CommandTable::toolTip(id);
        if (!tip.empty())
            a->setToolTip(QString::fromStdString(tip));
        else if (text)
            a->setToolTip(QString::fromLatin1(text).remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0));
        QIcon icon = ToolbarIcons::icon(id);
        if (!icon.isNull())
            a->setIcon(icon);
        a->setIconVisibleInMenu(false);
        connect(a, &QAction::triggered, this, [this, id] {
            switch (id) {
            case Cmd::FileNew: app_.OnFileNew(); break;
            case Cmd::FileOpen: app_.OnFileOpen(); break;
            case Cmd::FileClose:
                if (CFFDoc* doc = activeDocument())
                    app_.CloseDocument(doc);
                break;
            case Cmd::FileSave:
                if (CFFDoc* doc = activeDocument())
                    doc->DoFileSave();
                break;
            case Cmd::FileSaveAs:
                if (CFFDoc* doc = activeDocument())
                    doc->DoSave(QString());
                break;
            case Cmd::AppExit: app_.OnAppExit(); break;
            case Cmd::AppAbout: app_.OnAppAbout(); break;
            case Cmd::HelpTopics: showHelpTopics(); break;
            case Cmd::WindowNew: windowNew(); break;
            case Cmd::WindowCascade: cascade(); break;
            case Cmd::WindowTile: tile(); break;
            case Cmd::WindowArrange: arrangeIcons(); break;
            case Cmd::ViewToolbar: toolBar_->setVisible(!toolBar_->isVisible()); break;
            case Cmd::ViewStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); break;
            default:
                if (auto h = handlers_.constFind(id); h != handlers_.constEnd() && h->run)
                    h->run();
                else
                    runViewCommand(id);
                break;
            }
        });
        actions_.insert(id, a);
    }
    // The toolkit's bar toggles carry a check mark.
    for (int id : {Cmd::ViewToolbar, Cmd::ViewStatusBar}) {
        actions_[id]->setCheckable(true);
        actions_[id]->setChecked(true);
    }
}

void CMainFrame::createMenus()
{
    auto build = [this](const std::vector<CommandTable::Menu>& bar, QList<QMenu*>& out, bool withRecent) {
        for (const auto& def : bar) {
            auto* menu = new QMenu(QString::fromLatin1(def.title), this);
            for (const auto& item : def.items) {
                if (item.id == 0)
                    menu->addSeparator();
                else
                    menu->addAction(actions_.value(item.id));
                if (withRecent && item.id == Cmd::FileMru1)
                    recentMenu_ = menu;
                if (item.id == Cmd::WindowCascade)
                    windowMenu_ = menu;
            }
            out.append(menu);
        }
    };
    build(CommandTable::noDocumentMenus(), noDocumentMenus_, true);
    build(CommandTable::documentMenus(), documentMenus_, false);
    if (windowMenu_)
        connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::updateWindowList);
}

void CMainFrame::createToolBar()
{
    toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("toolbar"));
    toolBar_->setIconSize(QSize(18, 18));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->toggleViewAction()->setVisible(false);
    for (int id : CommandTable::toolbarButtons()) {
        if (id == 0)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_.value(id));
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(toolBar_, &QToolBar::visibilityChanged, this,
            [this](bool visible) { actions_[Cmd::ViewToolbar]->setChecked(visible); });
}

void CMainFrame::createAccelerators()
{
    for (const auto& acc : CommandTable::accelerators()) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromLatin1(acc.keys)), this);
        shortcut->setContext(Qt::WindowShortcut);
        const int id = acc.id;
        connect(shortcut, &QShortcut::activated, this, [this, id] { runCommand(id); });
    }
}

void CMainFrame::setCommandHandler(int id, CommandRun run, CommandEnabled enabled)
{
    handlers_.insert(id, Handler{std::move(run), std::move(enabled)});
    updateCommandStates();
}

void CMainFrame::installCommandHandlers()
{
    // One line per concern; each installer lives in its own file.
    installHeadCommand(*this);
    installTuneCommands(*this);
    installUndoCommands(*this, app_);
    ExportCommands::install(*this);
    AxesCommand::install(*this);
}

bool CMainFrame::runCommand(int id)
{
    QAction* a = action(id);
    if (!a || !a->isEnabled())
        return false;
    a->trigger();
    return true;
}

bool CMainFrame::runAccelerator(const QString& keys)
{
    const QKeySequence wanted(keys);
    for (const auto& acc : CommandTable::accelerators())
        if (QKeySequence(QString::fromLatin1(acc.keys)) == wanted)
            return runCommand(acc.id);
    return false;
}

QStringList CMainFrame::menuTitles() const
{
    QStringList titles;
    for (QAction* a : menuBar()->actions())
        titles.append(a->text());
    return titles;
}

void CMainFrame::updateMenuBar()
{
    const bool wantDocumentMenus = !frames_.isEmpty();
    if (wantDocumentMenus == showingDocumentMenus_ && !menuBar()->actions().isEmpty())
        return;
    showingDocumentMenus_ = wantDocumentMenus;
    menuBar()->clear();
    for (QMenu* menu : wantDocumentMenus ? documentMenus_ : noDocumentMenus_)
        menuBar()->addMenu(menu);
}

void CMainFrame::updateRecentFileMenu()
{
    if (!recentMenu_)
        return;
    QAction* placeholder = actions_.value(Cmd::FileMru1);
    for (QAction* a : recentActions_) {
        recentMenu_->removeAction(a);
        delete a;
    }
    recentActions_.clear();
    const RecentFileList& list = app_.recentFiles();
    for (int i = 0; i < list.size(); ++i) {
        auto* a = new QAction(list.menuText(i), this);
        a->setStatusTip(placeholder->statusTip());
        connect(a, &QAction::triggered, this, [this, i] { app_.OnOpenRecentFile(i); });
        recentMenu_->insertAction(placeholder, a);
        recentActions_.append(a);
    }
    // With no recent file the menu keeps its greyed "Recent File" line.
    placeholder->setVisible(list.size() == 0);
    placeholder->setEnabled(false);
}

void CMainFrame::updateCommandStates()
{
    const bool haveDoc = activeDocument() != nullptr;
    const bool haveView = activeFrame() != nullptr;
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        const int id = it.key();
        bool enabled;
        if (auto h = handlers_.constFind(id); h != handlers_.constEnd())
            enabled = !h->enabled || h->enabled();
        else if (alwaysEnabled(id))
            enabled = true;
        else if (needsDocument(id))
            enabled = haveDoc;
        else
            enabled = haveView && ViewHost::handles(id);
        it.value()->setEnabled(enabled);
    }
}

void CMainFrame::updateTitles()
{
    QList<const CFFDoc*> seen;
    for (CChildFrame* frame : frames_) {
        const CFFDoc* doc = frame->document();
        if (seen.contains(doc))
            continue;
        seen.append(doc);
        const QList<CChildFrame*> mine = framesOf(doc);
        for (int i = 0; i < mine.size(); ++i)
            mine[i]->setTitleIndex(mine.size() > 1 ? i + 1 : 0);
    }
    CChildFrame* active = activeFrame();
    // The child's title carries the "[*]" mark of unsaved changes along.
    setWindowTitle(active ? QStringLiteral("Vexil - ") + active->windowTitle() : QStringLiteral("Vexil"));
    setWindowModified(active && active->isWindowModified());
}

void CMainFrame::runViewCommand(int id)
{
    CChildFrame* frame = activeFrame();
    if (frame && frame->view() && frame->document() && ViewHost::handles(id))
        ViewHost::runCommand(frame->view(), *frame->document(), id);
}

void CMainFrame::showHelpTopics()
{
    if (!help_) {
        help_ = new QTextBrowser(this);
        help_->setWindowFlag(Qt::Window);
        help_->setAttribute(Qt::WA_DeleteOnClose, false);
        help_->setWindowTitle(QStringLiteral("Vexil Help"));
        help_->setOpenExternalLinks(false);
        help_->setSearchPaths({QStringLiteral(":/help")});
        help_->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
        help_->resize(640, 520);
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

bool CMainFrame::event(QEvent* event)
{
    // Command help goes to pane 0 and leaves the coordinate panes alone.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        setPaneText(0, tip.isEmpty() ? QStringLiteral("Ready") : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (panes_[0]->text().isEmpty())
        setPaneText(0, QStringLiteral("Ready"));
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!app_.SaveAllModified()) {
        event->ignore();
        return;
    }
    app_.CloseAllDocuments();
    if (help_)
        help_->close();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        for (const QUrl& url : event->mimeData()->urls())
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
    }
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    activateWindow();
    for (const QUrl& url : urls)
        if (url.isLocalFile())
            app_.OpenDocumentFile(url.toLocalFile());
}
