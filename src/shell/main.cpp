// Vexil: the desktop workbench for F-file scan records.

#include "CMainFrame.h"
#include "CVexilApp.h"
#include "Messages.h"
#include "QtMessageSink.h"
#include "Screenshot.h"
#include "TuneCommands.h"

#include <QApplication>
#include <QCommandLineParser>

#include <clocale>

int main(int argc, char** argv)
{
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
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("F-file or FITS file to open (FILE.fits[N] picks an HDU)."), QStringLiteral("[file]"));
    parser.process(qapp);

    // A picture is taken without anyone at the screen: messages go to
    // stderr rather than into boxes that would wait for a click forever.
    if (parser.isSet(screenshot))
        Messages::install(nullptr);

    CVexilApp app;
    if (!app.InitInstance(parser.positionalArguments(), false))
        return 1;
    if (parser.isSet(screenshot))
        new Screenshot(app.mainFrame(), parser.value(screenshot));
    app.mainFrame()->show();
    return QApplication::exec();
}
