// Vexil: the desktop workbench for F-file scan records.

#include "CMainFrame.h"
#include "CVexilApp.h"
#include "Messages.h"
#include "QtMessageSink.h"
#include "Screenshot.h"
#include "SingleInstance.h"
#include "TuneCommands.h"
#include "Version.h"

#include <QApplication>
#include <QCommandLineParser>

#include <clocale>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // Answered before the toolkit starts, so that it works without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s\n", Vexil::kVersionText);
            return 0;
        }
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexil"));
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    // The toolkit sets the user's locale; header values and the dialogs'
    // numbers are read and written with the C library, which must keep the
    // decimal point whatever the desktop's language.
    std::setlocale(LC_NUMERIC, "C");
    QtMessageSink::installAll();
    installTuningDialogs();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vexil: workbench for F-file scan records"));
    parser.addHelpOption();
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Save a PNG picture of the window after it is first shown, then quit."),
                                  QStringLiteral("FILE"));
    parser.addOption(screenshot);
    parser.addOption(QCommandLineOption(QStringLiteral("version"), QStringLiteral("Show the version and quit.")));
    QCommandLineOption newInstance(QStringLiteral("new-instance"),
                                   QStringLiteral("Start a separate Vexil even when one is running."));
    parser.addOption(newInstance);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("F-file or FITS file to open (FILE.fits[N] picks an HDU)."), QStringLiteral("[file]"));
    parser.process(qapp);

    // A picture is taken without anyone at the screen: messages go to
    // stderr rather than into boxes that would wait for a click forever.
    if (parser.isSet(screenshot))
        Messages::install(nullptr);

    // A file opened while Vexil runs goes to the running instance. A picture
    // run is always on its own: it must not take files meant for the user's
    // window, nor hand its file to that window.
    const QStringList files = parser.positionalArguments();
    const bool shared = !parser.isSet(screenshot) && !parser.isSet(newInstance);
    if (shared && !files.isEmpty() && SingleInstance::handOver(files))
        return 0;

    CVexilApp app;
    if (!app.InitInstance(files, false))
        return 1;
    SingleInstance instance;
    if (shared) {
        instance.listen([&app](const QStringList& paths) {
            CMainFrame* frame = app.mainFrame();
            if (frame->isMinimized())
                frame->showNormal();
            frame->raise();
            frame->activateWindow();
            for (const QString& path : paths)
                app.OpenDocumentFile(path);
        });
    }
    if (parser.isSet(screenshot))
        new Screenshot(app.mainFrame(), parser.value(screenshot));
    app.mainFrame()->show();
    return QApplication::exec();
}
