// The header editor's dialogs on a real document, and View > Head in the running application.

#include "AccessIcons.h"
#include "CFFDoc.h"
#include "CHeadDlg.h"
#include "CHeadEntryDlg.h"
#include "CInsertEntryDlg.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "FFile.h"
#include "HeadCommand.h"
#include "HeadList.h"
#include "ShellTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// The demo header in order, then a user-defined entry.
const QStringList kIds = {"SIMPLE", "BITPIX", "NAXIS",  "NAXIS1", "CTYPE1",  "CRVAL1",   "CRPIX1",   "CDELT1",
                          "BUNIT",  "BSCALE", "BZERO",  "OBJECT", "DATE-OBS", "OBSERVER", "LAMBDA",  "OBSDEC",
                          "DEC",    "NUT-RA", "TIMEWSH", "TIMEESH", "TELESCOP", "INSTRUME", "COMMENT", "MYNOTE"};
const char* const kComment = "Synthetic drift scan made by vexil-makedemo";
const Answer Yes = Answer::Yes, No = Answer::No;

// One data row per case of a table, by index.
template <class Case, std::size_t N>
void rows(const Case (&cases)[N])
{
    QTest::addColumn<int>("i");
    for (std::size_t i = 0; i < N; ++i)
        QTest::newRow(cases[i].name) << static_cast<int>(i);
}

// The recorded messages as "kind|caption|text".
QString log(const MessageRecorder& r)
{
    QStringList out;
    for (const auto& e : r.entries) out << QString::fromLatin1((e.kind + "|" + e.caption + "|" + e.text).c_str());
    return out.join(QLatin1String("\n--\n"));
}

// Types text as one key press (key clicks stop at Latin-1).
void type(QWidget* field, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
}

QStringList ids(int n, const std::function<std::string(int)>& idAt)
{
    QStringList out;
    for (int i = 0; i < n; ++i) out << QString::fromStdString(idAt(i));
    return out;
}
QStringList rowIds(const CHeadDlg& dlg) { return ids(dlg.rowCount(), [&](int i) { return dlg.rowId(i); }); }
QStringList headIds(const FHead& h) { return ids(h.EntryCount(), [&](int i) { return h.EntryAt(i).GetID(); }); }

void activate(QDialog& dlg)
{
    dlg.show(), dlg.activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), &dlg);
}

// The header dialog shown on a freshly opened document.
struct Editor {
    explicit Editor(const QString& path) : head(doc)
    {
        if (!doc.OpenDocument(path))
            qFatal("cannot open %s", qPrintable(path));
        dlg = std::make_unique<CHeadDlg>(head);
        activate(*dlg);
    }
    QPoint at(const QString& id) const
    {
        QTreeWidgetItem* item = dlg->list()->topLevelItem(dlg->findRow(id.toStdString()));
        dlg->list()->scrollToItem(item);
        return dlg->list()->visualItemRect(item).center();
    }
    void click(const QString& id, Qt::KeyboardModifiers mods = {}) { QTest::mouseClick(dlg->list()->viewport(), Qt::LeftButton, mods, at(id)); }
    QString selected() const { return QString::fromStdString(dlg->rowId(dlg->selectedRow())); }
    QString value(const QString& id) const
    {
        const HeadEntry* e = doc.GetFFile()->Find(id.toStdString());
        return e ? QString::fromLatin1(e->GetValue().c_str()) : QStringLiteral("<none>");
    }

    CFFDoc doc;
    DocumentHead head;
    std::unique_ptr<CHeadDlg> dlg;
};

// words: type/class/access/description; answer: to "Edit value"'s question; ok: OK, else Cancel.
struct EntryCase {
    const char *name, *id, *words; bool editable; Answer answer; QString typed; bool ok;
    const char *message, *value; bool closed;
};
const char* const kFree = "STRING/DEFAULT/FREE/User-defined entry";
const char* const kObject = "STRING/DEFAULT/PROTECTED/Name of observation object";
const char* const kAskEdit = "warning|Edit value|Head entry OBJECT is PROTECTED.\nAre you sure you want to edit its value?";
const EntryCase kEntryCases[] = {
    {"fixed", "SIMPLE", "STRING/FIXED/READ-ONLY/Format identifier", false, Yes, "F", true, "", "T", true},
    {"protected, Yes", "OBJECT", kObject, true, Yes, " Cas A ", true, kAskEdit, "Cas A", true},
    {"protected, No", "OBJECT", kObject, true, No, "Cas A", true, kAskEdit, "3C 84", true},
    {"free", "MYNOTE", kFree, true, Yes, QStringLiteral("tilt 3\u00B0"), true, "", "tilt 3\xB0", true},
    {"free, cancelled", "MYNOTE", kFree, true, Yes, "second", false, "", "first", true},
    {"blanks only", "MYNOTE", kFree, true, Yes, "   ", true, "warning|Incorrect input|'Value' field is empty", "first", false},
};

// focus: "" when the dialog closed, else the field keeping it; result: the value of id afterwards.
struct InsertCase {
    const char* name; QString typedId, value; std::vector<Answer> answers;
    const char *message, *focus, *id; QString result; bool appended;
};
const char* const kAskReadOnly = "warning|Insert|The entry being inserted is classified as READ-ONLY.\nDo you really want to create it?";
const char* const kAskUpdate = "warning|Insert|Entry COMMENT already exists.\nAre you sure you want to update its value?";
const InsertCase kInsertCases[] = {
    {"new, typed lower case", "9note_a", " hello ", {}, "", "", "9NOTE_A", "hello", true},
    {"empty ID", "  ", "x", {}, "warning|Incorrect input|'ID' field is empty", "id", "COMMENT", kComment, false},
    {"empty value", "NOTE", "   ", {}, "warning|Incorrect input|'Value' field is empty", "value", "NOTE", "<none>", false},
    {"hyphen", "date-obs", "x", {}, "warning|Incorrect input|'ID' must be an upper-case alphanumeric identifier.", "id", "DATE-OBS", "2026-11-14", false},
    {"existing FREE, Yes", "comment", "new", {Yes}, kAskUpdate, "", "COMMENT", "new", false},
    {"existing FREE, No", "COMMENT", "new", {No}, kAskUpdate, "", "COMMENT", kComment, false},
    {"existing PROTECTED", "OBJECT", "x", {Yes}, "stop|Insert failed|Entry OBJECT already exists and is READ-ONLY or PROTECTED", "", "OBJECT", "3C 84", false},
    {"READ-ONLY dictionary ID, Yes", "tau", "0.1", {Yes}, kAskReadOnly, "", "TAU", "0.1", true},
};

// how: 'b' the button after a click, 'k' Down from the row above and the button, 'd' the Delete key.
struct DeleteCase {
    const char *name, *id; char how; std::vector<Answer> answers;
    const char* message; bool deleted; const char* selected; bool deleteEnabled;
};
const char* const kAskAgain = "warning|Delete from scan|Head entry OBJECT is PROTECTED.\nAre you still sure you want to delete it?";
const DeleteCase kDeleteCases[] = {
    {"FREE, Yes", "COMMENT", 'b', {Yes}, "", true, "MYNOTE", true},
    {"FREE, No", "COMMENT", 'b', {No}, "", false, "COMMENT", true},
    {"PROTECTED, Yes Yes", "OBJECT", 'b', {Yes, Yes}, kAskAgain, true, "DATE-OBS", false},
    {"PROTECTED, Yes No", "OBJECT", 'b', {Yes, No}, kAskAgain, false, "OBJECT", true},
    {"READ-ONLY, Yes", "DATE-OBS", 'k', {Yes}, "stop|Delete from scan|Can't delete READ-ONLY entry DATE-OBS", false, "DATE-OBS", true},
    {"Delete key, no click", "MYNOTE", 'd', {Yes}, "", true, "COMMENT", true},
};

}  // namespace

class HeadEditorTest : public QObject {
    Q_OBJECT
private:
    ShellFolders dir_;
    QString scan_;
    RecordMessages messages_;

private slots:
    void initTestCase()
    {
        auto file = makeScan(50);
        file->SetText("MYNOTE", "first");
        scan_ = dir_.path(QStringLiteral("scan.ff"));
        file->SetName(scan_.toStdString());
        QVERIFY(file->Write());
    }
    void init() { messages_.recorder.clear(), messages_.recorder.answers.clear(); }

    void listShowsTheHeaderAndItsButtonsFollowClicksNotKeys()
    {
        Editor ed(scan_);
        CHeadDlg& dlg = *ed.dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Head of scan"));
        QCOMPARE(rowIds(dlg), kIds);
        QCOMPARE(dlg.list()->topLevelItem(11)->text(1), QStringLiteral("3C 84"));
        const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
        for (const auto& [row, icon] : {std::pair(0, 0), std::pair(11, 1), std::pair(22, 2), std::pair(23, 2)})
            QCOMPARE(image(dlg.list()->topLevelItem(row)->icon(0)), image(AccessIcons::icon(icon)));

        // key 0: a click on id (with Ctrl when ctrl); afterwards selected ("" none), Open and Delete.
        const struct { int key; const char *id, *selected; bool ctrl, open, del; } steps[] = {{0, nullptr, "", 0, 0, 0},      {0, "OBJECT", "OBJECT", 0, 1, 1},   {Qt::Key_Down, 0, "DATE-OBS", 0, 1, 1},
                     {0, "DATE-OBS", "DATE-OBS", 0, 1, 0}, {Qt::Key_Up, 0, "OBJECT", 0, 1, 0}, {0, "COMMENT", "COMMENT", 0, 1, 1},
                     {0, "COMMENT", "", 1, 0, 0},     {0, "SIMPLE", "SIMPLE", 0, 1, 0},  {Qt::Key_End, 0, "MYNOTE", 0, 1, 0}};
        for (const auto& s : steps) {
            if (s.key)
                QTest::keyClick(dlg.list(), Qt::Key(s.key));
            else if (s.id)
                ed.click(s.id, s.ctrl ? Qt::ControlModifier : Qt::NoModifier);
            const QString row("%1|%2%3");
            QCOMPARE(row.arg(ed.selected()).arg(int(dlg.openButton()->isEnabled())).arg(int(dlg.deleteButton()->isEnabled())),
                     row.arg(s.selected).arg(int(s.open)).arg(int(s.del)));
        }
        // A double click updates the buttons, then opens the entry; Enter
        // opens the selected entry and leaves the list open; Escape closes it.
        QString opened;
        const auto note = [&opened](QDialog& d) { opened = d.windowTitle(); };
        onNextModal(note);
        QTest::mouseDClick(dlg.list()->viewport(), Qt::LeftButton, {}, ed.at("MYNOTE"));
        QCOMPARE(opened, QStringLiteral("MYNOTE  in scan"));
        QVERIFY(dlg.deleteButton()->isEnabled());
        QTest::keyClick(dlg.list(), Qt::Key_Up);
        onNextModal(note);
        QTest::keyClick(dlg.list(), Qt::Key_Return);
        QCOMPARE(opened, QStringLiteral("COMMENT  in scan"));
        QVERIFY(dlg.isVisible());
        QTest::keyClick(dlg.list(), Qt::Key_Escape);
        QVERIFY(!dlg.isVisible());
    }

    void entryDialogEditsByAccess_data() { rows(kEntryCases); }
    void entryDialogEditsByAccess()
    {
        QFETCH(int, i);
        const EntryCase& c = kEntryCases[i];
        Editor ed(scan_);
        const int row = ed.dlg->findRow(c.id);
        const QString before = ed.value(c.id);
        CHeadEntryDlg dlg(*ed.dlg, row);
        activate(dlg);
        QCOMPARE(dlg.windowTitle(), c.id + QStringLiteral("  in scan"));
        const QString words = QString::fromLatin1(c.words);
        QCOMPARE(QStringList({dlg.typeField()->text(), dlg.classField()->text(), dlg.accessField()->text(), dlg.descriptionField()->text()}).join(QLatin1Char('/')), words);
        QCOMPARE(ed.dlg->list()->topLevelItem(row)->text(2), words.section(QLatin1Char('/'), 3));
        QCOMPARE(dlg.valueField()->text(), before);
        QVERIFY(dlg.valueField()->isReadOnly() && dlg.editButton()->isEnabled() == c.editable);

        messages_.recorder.answers = {c.answer};
        QTest::mouseClick(dlg.editButton(), Qt::LeftButton);
        const bool editing = c.editable && c.answer == Yes;
        QCOMPARE(dlg.isEditing() + dlg.valueField()->hasFocus() + !dlg.valueField()->isReadOnly(), 3 * editing);
        QCOMPARE(dlg.editButton()->isEnabled(), c.editable && !editing);
        dlg.valueField()->selectAll();
        type(dlg.valueField(), c.typed);
        QTest::mouseClick(c.ok ? dlg.okButton() : dlg.cancelButton(), Qt::LeftButton);
        QCOMPARE(log(messages_.recorder), QString::fromLatin1(c.message));
        QCOMPARE(dlg.isVisible() + dlg.valueField()->hasFocus(), 2 * !c.closed);
        QCOMPARE(ed.value(c.id), QString::fromLatin1(c.value));
        QCOMPARE(ed.dlg->list()->topLevelItem(row)->text(1), QString::fromLatin1(c.value));
        QCOMPARE(ed.doc.isModified(), c.value != before);
    }

    void insertAppendsUpdatesOrRefuses_data() { rows(kInsertCases); }
    void insertAppendsUpdatesOrRefuses()
    {
        QFETCH(int, i);
        const InsertCase& c = kInsertCases[i];
        Editor ed(scan_);
        CInsertEntryDlg dlg(*ed.dlg);
        activate(dlg);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Insert into scan"));
        QTest::keyClicks(dlg.idField(), c.typedId);
        QCOMPARE(dlg.idField()->text(), c.typedId.toUpper());
        type(dlg.valueField(), c.value);
        const QString before = ed.value(c.id);
        messages_.recorder.answers = c.answers;
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);

        QCOMPARE(log(messages_.recorder), QString::fromLatin1(c.message));
        QCOMPARE(dlg.isVisible(), *c.focus != 0);
        if (*c.focus)
            QVERIFY((c.focus == std::string("id") ? dlg.idField() : dlg.valueField())->hasFocus());
        QCOMPARE(ed.value(c.id), c.result);
        const QStringList rows = rowIds(*ed.dlg);
        QCOMPARE(rows, headIds(*ed.doc.GetFFile()));
        QCOMPARE(rows, c.appended ? kIds + QStringList{c.id} : kIds);
        if (rows.contains(c.id))
            QCOMPARE(ed.dlg->list()->topLevelItem(rows.indexOf(c.id))->text(1), c.result);
        QCOMPARE(ed.doc.isModified(), c.result != before);
    }

    void deletionAsksOnceOrTwiceAndRefusesReadOnly_data() { rows(kDeleteCases); }
    void deletionAsksOnceOrTwiceAndRefusesReadOnly()
    {
        QFETCH(int, i);
        const DeleteCase& c = kDeleteCases[i];
        Editor ed(scan_);
        if (c.how == 'k')
            ed.click(kIds[kIds.indexOf(c.id) - 1]), QTest::keyClick(ed.dlg->list(), Qt::Key_Down);
        else if (c.how == 'b')
            ed.click(c.id);
        else
            ed.dlg->list()->setCurrentItem(ed.dlg->list()->topLevelItem(ed.dlg->findRow(c.id)));
        QCOMPARE(ed.selected(), QString::fromLatin1(c.id));
        QCOMPARE(ed.dlg->deleteButton()->isEnabled(), c.how != 'd');
        messages_.recorder.answers = c.answers;
        c.how == 'd' ? QTest::keyClick(ed.dlg->list(), Qt::Key_Delete) : QTest::mouseClick(ed.dlg->deleteButton(), Qt::LeftButton);
        QCOMPARE(log(messages_.recorder), "ask|Delete from scan|Head entry " + QString::fromLatin1(c.id) +
                                              " is to be deleted\nAre you sure?" + (*c.message ? "\n--\n" : "") + c.message);
        QCOMPARE(ed.doc.GetFFile()->Has(c.id), !c.deleted);
        QCOMPARE(rowIds(*ed.dlg), headIds(*ed.doc.GetFFile()));
        QCOMPARE(ed.doc.isModified(), c.deleted);
        QCOMPARE(ed.selected(), QString::fromLatin1(c.selected));
        QCOMPARE(ed.dlg->deleteButton()->isEnabled(), c.deleteEnabled);
    }

    void viewHeadEditsTheActiveDocument()
    {
        const QString path = dir_.scan(QStringLiteral("app.ff"), 300);
        RunningApp run;
        CMainFrame& frame = run.frame();
        QVERIFY(!frame.action(32809)->isEnabled());
        CFFDoc* doc = run.app->OpenDocumentFile(path);
        QVERIFY(doc && frame.action(32809)->isEnabled());
        onNextModal([](QDialog& dlg) {
            onNextModal([](QDialog& ins) {
                qobject_cast<CInsertEntryDlg*>(&ins)->idField()->setText(QStringLiteral("OBSERVER2"));
                qobject_cast<CInsertEntryDlg*>(&ins)->valueField()->setText(QStringLiteral("A. Smith"));
                ins.accept();
            });
            qobject_cast<CHeadDlg*>(&dlg)->insertButton()->click();
            dlg.accept();
        });
        QVERIFY(frame.runCommand(32809));
        QVERIFY(frame.windowTitle() == QStringLiteral("Vexil - app.ff[*]") && frame.isWindowModified());
        QVERIFY(doc->DoFileSave());
        QVERIFY(!frame.isWindowModified());
        FFile saved;
        QVERIFY(saved.Read(path.toStdString()) && saved.GetText("OBSERVER2") == "A. Smith");
    }
};

QTEST_MAIN(HeadEditorTest)
#include "tst_headeditor.moc"
