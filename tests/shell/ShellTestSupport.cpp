#include "ShellTestSupport.h"

#include "DemoScan.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSettings>
#include <QTimer>

std::unique_ptr<FFile> makeScan(int count)
{
    auto file = std::make_unique<FFile>();
    makeDemoScan(*file, DemoScanOptions{count});
    return file;
}

ShellFolders::ShellFolders()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
}

QString ShellFolders::path(const QString& name) const { return QDir(files.path()).filePath(name); }

QString ShellFolders::scan(const QString& name, int count) const
{
    auto file = makeScan(count);
    file->SetName(QFile::encodeName(path(name)).toStdString());
    if (!file->Write())
        qFatal("cannot write %s", qPrintable(path(name)));
    return path(name);
}

RunningApp::RunningApp() : app(std::make_unique<CVexilApp>())
{
    if (!app->InitInstance({}, true) || !QTest::qWaitForWindowExposed(app->mainFrame()))
        qFatal("start-up failed");
}

RunningApp::~RunningApp() { app.reset(), settle(); }

CMainFrame& RunningApp::frame() const { return *app->mainFrame(); }

void RunningApp::settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete), QCoreApplication::processEvents(); }

// Polls for a dialog other than the one modal when the script was given; gives up after some seconds and closes a
// dialog the script left open (after a failed check), so that a failure never hangs the test.
static void waitForModal(std::function<void(QDialog&)> script, QPointer<QWidget> before, int triesLeft)
{
    QTimer::singleShot(10, [script = std::move(script), before, triesLeft]() mutable {
        QPointer<QDialog> dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog != before.data()) {
            script(*dialog);
            if (dialog && dialog->isVisible())
                dialog->reject();
        } else if (triesLeft > 0) {
            waitForModal(std::move(script), before, triesLeft - 1);
        }
    });
}

void onNextModal(std::function<void(QDialog&)> script)
{
    waitForModal(std::move(script), QApplication::activeModalWidget(), 500);
}
