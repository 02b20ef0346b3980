// FITS documents and the export commands (CSV, PNG equal to the view, SVG strokes).

#include "PictureExport.h"
#include "../fits/FitsBytes.h"
#include "CFitsColumnDlg.h"
#include "CommandIds.h"
#include "CsvExport.h"
#include "ExportCommands.h"
#include "Fits.h"
#include "ShellTestSupport.h"

#include <QSvgRenderer>
#include <QRegularExpression>

using namespace fitsbytes;

namespace {

// A table of 50 rows: CH1, then MJD (days), then CH2.
QString writeTable(const QString& path)
{
    std::string rows;
    for (int i = 0; i < 50; ++i)
        rows += bigEndian<float>({float(i)}) + bigEndian<double>({60000.5 + i * 1e-5}) + bigEndian<std::int16_t>({std::int16_t(-i)});
    writeBytes(CFFDoc::nativePath(path),
               header({kv("SIMPLE", "T"), kv("BITPIX", "8"), kv("NAXIS", "0")}) +
                   header({kv("XTENSION", "'BINTABLE'"), kv("BITPIX", "8"), kv("NAXIS", "2"), kv("NAXIS1", "14"),
                           kv("NAXIS2", "50"), kv("PCOUNT", "0"), kv("GCOUNT", "1"), kv("TFIELDS", "3"), kv("TTYPE1", "'CH1'"),
                           kv("TFORM1", "'1E'"), kv("TTYPE2", "'MJD'"), kv("TFORM2", "'1D'"), kv("TTYPE3", "'CH2'"),
                           kv("TFORM3", "'1I'"), kv("TUNIT3", "'K'")}) + data(rows));
    return path;
}

}  // namespace

class FitsExportTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;

private slots:
    void cleanup() { CFFDoc::setSaveAsPrompt(nullptr), CFFDoc::setColumnPrompt(nullptr), ExportCommands::setPrompts(nullptr, nullptr); }

    void fitsImageOpensAndSavesAsFits()
    {
        auto scan = makeScan(300);
        const QString path = dir_.path(QStringLiteral("s.fits"));
        scan->SetName(CFFDoc::nativePath(path));
        QVERIFY(Fits::Write(*scan));
        RunningApp run;
        CFFDoc* doc = run.app->OpenDocumentFile(path);
        QVERIFY(doc);
        doc->setModified(true);
        QVERIFY(!doc->fromPartOfFile() && run.frame().runCommand(Cmd::FileSave) && !doc->isModified());
        QCOMPARE(readBytes(CFFDoc::nativePath(path)).substr(0, 9), std::string("SIMPLE  ="));
        // A file whose own name ends in "[1]" is that file, not an HDU of "t.fits".
        const QString odd = dir_.path(QStringLiteral("t.fits[1]"));
        QVERIFY(QFile::copy(path, odd) && run.app->OpenDocumentFile(odd));
        QVERIFY(run.messages.recorder.entries.empty());
    }

    void tableColumnsThroughTheChooser()
    {
        const QString path = writeTable(dir_.path(QStringLiteral("drift.fits")));
        std::vector<FitsHduInfo> hdus;
        QVERIFY(Fits::Catalogue(CFFDoc::nativePath(path), hdus));
        // The first column that is not a time column, and the time column.
        CFitsColumnDlg dlg({hdus[1]});
        QCOMPARE(QString::fromStdString(dlg.choice().column + "|" + dlg.choice().xColumn), QStringLiteral("CH1|MJD"));

        RunningApp run;
        QStringList asked;
        CFFDoc::setColumnPrompt([&](const std::vector<FitsHduInfo>& tables, int& hdu, FitsChoice& choice) {
            asked << QStringLiteral("%1 %2").arg(tables.size()).arg(hdu);
            choice = FitsChoice{"CH2", "MJD"};
            return asked.size() < 2;
        });
        CFFDoc* a = run.app->OpenDocumentFile(path);
        QVERIFY(a && !run.app->OpenDocumentFile(path));  // the second time cancelled: nothing more
        QCOMPARE(asked, (QStringList{"1 1", "1 1"}));
        QCOMPARE(a->title(), QStringLiteral("drift.fits CH2"));
        QCOMPARE(a->GetFFile()->GetText("CTYPE1") + " " + a->GetFFile()->GetText("BUNIT"), std::string("TIME K"));
        QCOMPARE(run.app->documents().size(), 1);

        // Save goes through Save As: the record is only part of the file.
        QString proposed;
        CFFDoc::setSaveAsPrompt([&](const QString& p) { return proposed = p, QString(); });
        QVERIFY(!a->DoFileSave());
        QCOMPARE(proposed, dir_.path(QStringLiteral("drift_CH2.ff")));
        QVERIFY(run.messages.recorder.entries.empty());
    }

    void exportsOfTheSelectionAndOfTheView()
    {
        RunningApp run;
        CFFDoc* doc = run.app->OpenDocumentFile(dir_.scan(QStringLiteral("p.ff"), 500));
        QVERIFY(doc);
        CFFView* view = activeView(run.frame());
        view->arrays().markRange(100, 199, MarkSelected);
        view->arrays().markRange(200, 249, MarkDiscarded);
        view->redraw();
        QTest::qWait(50);
        QString target;
        QSize size;
        ExportCommands::setPrompts([&](const QString&, const QString& proposed, const QString& filters) {
            return target.isEmpty() && proposed == dir_.path("p.csv") && filters.startsWith("CSV files") ? proposed : target;
        }, [&](QSize, QSize& s) { return s = size, true; });
        QVERIFY(run.frame().runCommand(Cmd::FileExportData));  // the selected samples
        const FFile& f = *doc->GetFFile();
        std::string csv = CsvExport::HeaderLine(f) + "\n";
        for (int i = 100; i < 200; ++i)
            csv += CsvExport::SampleLine(f, i) + "\n";
        QCOMPARE(readBytes(CFFDoc::nativePath(dir_.path(QStringLiteral("p.csv")))), csv);
        // PNG at the on-screen size: the very pixels the view paints.
        target = dir_.path(QStringLiteral("p.png"));
        QVERIFY(run.frame().runCommand(Cmd::FileExportPicture));
        const QImage shown = view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(QImage(target).convertToFormat(QImage::Format_RGB32), shown);

        // SVG of the whole record at 800 x 300: vector strokes, one path per run of one colour (unmarked, selected,
        // discarded, unmarked).
        target = dir_.path(QStringLiteral("p.svg"));
        size = QSize(800, 300);
        QVERIFY(run.frame().runCommand(Cmd::FileExportPicture));
        QVERIFY(QSvgRenderer(target).isValid());
        const QString svg = QString::fromStdString(readBytes(CFFDoc::nativePath(target)));
        QStringList strokes;  // the pen of each path, set by its group
        QString pen;
        for (const auto& m : QRegularExpression("<g [^>]*stroke=\"([^\"]+)\"|<path ").globalMatch(svg))
            m.captured(1).isEmpty() ? void(strokes << pen) : void(pen = m.captured(1));
        QVERIFY(!svg.contains("<image"));
        QCOMPARE(strokes, (QStringList{"#c0c0c0", "#4040ff", "#ff4040", "#c0c0c0"}));
        int points = 0;  // every pixel column of the drawing keeps at least one point
        QSize drawing;
        for (const PictureExport::Stroke& s : PictureExport::strokes(*view, size, &drawing))
            points += s.path.elementCount();
        QVERIFY(points >= std::min(f.Count(), drawing.width()));
        QVERIFY(run.messages.recorder.entries.empty());
    }
};

QTEST_MAIN(FitsExportTest)
#include "tst_fitsexport.moc"
