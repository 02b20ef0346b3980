// The header editor's dialogs on a real document: the list, its buttons
// after clicks and keys, one entry through "Edit value", Insert and Delete
// with the questions they ask, and View > Head in the running application.

#include "AccessIcons.h"
#include "CChildFrame.h"
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
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(std::vector<Answer>)

namespace {

// The demo header in order, then a user-defined entry.
const QStringList kIds = {"SIMPLE", "BITPIX",   "NAXIS",    "NAXIS1",  "CTYPE1",  "CRVAL1",  "CRPIX1",  "CDELT1",
                          "BUNIT",  "BSCALE",   "BZERO",    "OBJECT",  "DATE-OBS", "OBSERVER", "LAMBDA", "OBSDEC",
                          "DEC",    "NUT-RA",   "TIMEWSH",  "TIMEESH", "TELESCOP", "INSTRUME", "COMMENT", "MYNOTE"};

// Runs act on the modal dialog of type T that the next event loop shows;
// the flag tells whether there was one.
template <class T>
std::shared_ptr<bool> onModal(std::function<void(T&)> act)
{
    auto seen = std::make_shared<bool>(false);
    QTimer::singleShot(0, qApp, [seen, act] {
        if (auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget())) {
            *seen = true;
            act(*dlg);
        }
    });
    return seen;
}

// The recorded messages as "kind|caption|text".
QStringList log(const MessageRecorder& r)
{
    QStringList out;
    for (const auto& e : r.entries)
        out << QString::fromLatin1((e.kind + "|" + e.caption + "|" + e.text).c_str());
    return out;
}

// Types text as one key press (key clicks stop at Latin-1).
void type(QWidget* field, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
}

QStringList rowIds(const CHeadDlg& dlg)
{
    QStringList out;
    for (int row = 0; row < dlg.rowCount(); ++row)
        out << QString::fromStdString(dlg.rowId(row));
    return out;
}

QStringList headIds(const FHead& head)
{
    QStringList out;
    for (int i = 0; i < head.EntryCount(); ++i)
        out << QString::fromStdString(head.EntryAt(i).GetID());
    return out;
}

QString valueOf(const CFFDoc& doc, const char* id)
{
    const HeadEntry* e = doc.GetFFile()->Find(id);
    return e ? QString::fromLatin1(e->GetValue().c_str()) : QStringLiteral("<none>");
}

// The header dialog shown on a freshly opened document.
struct Editor {
    explicit Editor(const QString& path) : head(doc)
    {
        if (!doc.OpenDocument(path))
            qFatal("cannot open %s", qPrintable(path));
        dlg = std::make_unique<CHeadDlg>(head);
        dlg->show();
        if (!QTest::qWaitForWindowExposed(dlg.get()))
            qFatal("header dialog not shown");
    }
    void click(const char* id, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTreeWidgetItem* item = dlg->list()->topLevelItem(dlg->findRow(id));
        dlg->list()->scrollToItem(item);
        QTest::mouseClick(dlg->list()->viewport(), Qt::LeftButton, mods,
                          dlg->list()->visualItemRect(item).center());
    }
    void select(const char* id) { dlg->list()->setCurrentItem(dlg->list()->topLevelItem(dlg->findRow(id))); }
    QString selected() const { return QString::fromStdString(dlg->rowId(dlg->selectedRow())); }

    CFFDoc doc;
    DocumentHead head;
    std::unique_ptr<CHeadDlg> dlg;
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
    void init()
    {
        messages_.recorder.clear();
        messages_.recorder.answers.clear();
    }

    void listShowsEveryEntryWithItsAccessIcon()
    {
        Editor ed(scan_);
        CHeadDlg& dlg = *ed.dlg;
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Head of scan"));
        QTreeWidgetItem* titles = dlg.list()->headerItem();
        QCOMPARE(QStringList({titles->text(0), titles->text(1), titles->text(2)}),
                 QStringList({"ID", "Value", "Description"}));
        for (int c = 0; c < 3; ++c)
            QCOMPARE(dlg.list()->header()->sectionSize(c), c < 2 ? 100 : 200);
        QCOMPARE(rowIds(dlg), kIds);
        const struct {
            const char* id;
            const char* value;
            const char* description;
            int icon;
        } rows[] = {{"SIMPLE", "T", "Format identifier", 0},
                    {"OBJECT", "3C 84", "Name of observation object", 1},
                    {"COMMENT", "Synthetic drift scan made by vexil-makedemo", "User commentary", 2},
                    {"MYNOTE", "first", "User-defined entry", 2}};
        const auto image = [](const QIcon& icon) { return icon.pixmap(16, 16).toImage(); };
        for (const auto& r : rows) {
            QTreeWidgetItem* item = dlg.list()->topLevelItem(dlg.findRow(r.id));
            QCOMPARE(item->text(1), QString::fromLatin1(r.value));
            QCOMPARE(item->text(2), QString::fromLatin1(r.description));
            QCOMPARE(image(item->icon(0)), image(AccessIcons::icon(r.icon)));
        }
        QVERIFY(image(AccessIcons::icon(0)) != image(AccessIcons::icon(1)));
        QVERIFY(image(AccessIcons::icon(1)) != image(AccessIcons::icon(2)));
        QVERIFY(ed.dlg->insertButton()->isEnabled());
    }

    void buttonsFollowMouseClicksButNotKeys()
    {
        Editor ed(scan_);
        const struct {
            const char* action;
            const char* id;
            const char* selected;  // afterwards ("" none)
            bool open, del;
        } steps[] = {{"none", "", "", false, false},
                     {"click", "OBJECT", "OBJECT", true, true},
                     {"down", "", "DATE-OBS", true, true},
                     {"click", "DATE-OBS", "DATE-OBS", true, false},
                     {"up", "", "OBJECT", true, false},
                     {"click", "COMMENT", "COMMENT", true, true},
                     {"ctrl-click", "COMMENT", "", false, false},
                     {"click", "SIMPLE", "SIMPLE", true, false},
                     {"end", "", "MYNOTE", true, false}};
        for (const auto& s : steps) {
            const QString action = QString::fromLatin1(s.action);
            if (action == QLatin1String("click"))
                ed.click(s.id);
            else if (action == QLatin1String("ctrl-click"))
                ed.click(s.id, Qt::ControlModifier);
            else if (action != QLatin1String("none"))
                QTest::keyClick(ed.dlg->list(), action == QLatin1String("down") ? Qt::Key_Down
                                                : action == QLatin1String("up") ? Qt::Key_Up
                                                                               : Qt::Key_End);
            QCOMPARE(ed.selected(), QString::fromLatin1(s.selected));
            QCOMPARE(ed.dlg->openButton()->isEnabled(), s.open);
            QCOMPARE(ed.dlg->deleteButton()->isEnabled(), s.del);
        }
        // A double click updates the buttons, then opens the entry; Enter
        // opens the selected entry without closing the list.
        QString opened;
        auto seen = onModal<CHeadEntryDlg>([&](CHeadEntryDlg& d) { opened = d.windowTitle(), d.reject(); });
        QTest::mouseDClick(ed.dlg->list()->viewport(), Qt::LeftButton, {},
                           ed.dlg->list()->visualItemRect(ed.dlg->list()->topLevelItem(ed.dlg->findRow("MYNOTE"))).center());
        QVERIFY(*seen);
        QCOMPARE(opened, QStringLiteral("MYNOTE  in scan"));
        QVERIFY(ed.dlg->deleteButton()->isEnabled());
        QTest::keyClick(ed.dlg->list(), Qt::Key_Up);
        seen = onModal<CHeadEntryDlg>([&](CHeadEntryDlg& d) { opened = d.windowTitle(), d.reject(); });
        QTest::keyClick(ed.dlg->list(), Qt::Key_Return);
        QVERIFY(*seen);
        QCOMPARE(opened, QStringLiteral("COMMENT  in scan"));
        QVERIFY(ed.dlg->isVisible());
        QTest::keyClick(ed.dlg->list(), Qt::Key_Escape);
        QVERIFY(!ed.dlg->isVisible());
    }

    void entryDialogEditsByAccess_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("words");  // type/class/access
        QTest::addColumn<bool>("editable");  // "Edit value" enabled
        QTest::addColumn<std::vector<Answer>>("answers");
        QTest::addColumn<QString>("typed");  // into the value field after "Edit value"
        QTest::addColumn<bool>("ok");        // OK, else Cancel
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("value");  // afterwards, in header and row
        QTest::addColumn<bool>("closed");
        const QString question = "warning|Edit value|Head entry OBJECT is PROTECTED.\n"
                                 "Are you sure you want to edit its value?";
        const std::vector<Answer> none, yes{Answer::Yes}, no{Answer::No};
        const QString comment = "Synthetic drift scan made by vexil-makedemo";
        const QString free = "STRING/DEFAULT/FREE";
        QTest::newRow("fixed read-only") << "SIMPLE" << "STRING/FIXED/READ-ONLY" << false << none << "F" << true
                                         << QStringList() << "T" << true;
        QTest::newRow("critical integer") << "BITPIX" << "INTEGER/CRITICAL/READ-ONLY" << false << none << "8"
                                          << true << QStringList() << "-32" << true;
        QTest::newRow("critical real") << "CDELT1" << "REAL/CRITICAL/READ-ONLY" << false << none << "1" << true
                                       << QStringList() << "0.05" << true;
        QTest::newRow("protected, Yes") << "OBJECT" << "STRING/DEFAULT/PROTECTED" << true << yes << "  Cas A "
                                        << true << QStringList{question} << "Cas A" << true;
        QTest::newRow("protected, No") << "OBJECT" << "STRING/DEFAULT/PROTECTED" << true << no << "Cas A" << true
                                       << QStringList{question} << "3C 84" << true;
        QTest::newRow("free") << "COMMENT" << free << true << none << "tilt 3\u00B0" << true << QStringList()
                              << "tilt 3\u00B0" << true;
        QTest::newRow("free, not typed") << "COMMENT" << free << true << none << "" << true << QStringList()
                                         << comment << true;
        QTest::newRow("free, cancelled") << "MYNOTE" << free << true << none << "second" << false << QStringList()
                                         << "first" << true;
        QTest::newRow("blanks only") << "MYNOTE" << free << true << none << "   " << true
                                     << QStringList{"warning|Incorrect input|'Value' field is empty"} << "first"
                                     << false;
        QTest::newRow("beyond Latin-1")
            << "MYNOTE" << free << true << none << "\u0416" << true
            << QStringList{"warning|Incorrect input|'Value' field holds characters outside Latin-1"} << "first"
            << false;
    }
    void entryDialogEditsByAccess()
    {
        QFETCH(QString, id);
        QFETCH(QString, words);
        QFETCH(bool, editable);
        QFETCH(std::vector<Answer>, answers);
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QStringList, messages);
        QFETCH(QString, value);
        QFETCH(bool, closed);
        Editor ed(scan_);
        const int row = ed.dlg->findRow(id.toStdString());
        const QString before = ed.dlg->list()->topLevelItem(row)->text(1);
        CHeadEntryDlg dlg(*ed.dlg, row);
        dlg.show();
        dlg.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &dlg);
        QCOMPARE(dlg.windowTitle(), id + QStringLiteral("  in scan"));
        QCOMPARE(QStringList({dlg.typeField()->text(), dlg.classField()->text(), dlg.accessField()->text()}),
                 words.split(QLatin1Char('/')));
        QCOMPARE(dlg.descriptionField()->text(), ed.dlg->list()->topLevelItem(row)->text(2));
        QCOMPARE(dlg.valueField()->text(), before);
        QVERIFY(dlg.valueField()->isReadOnly());
        QCOMPARE(dlg.editButton()->isEnabled(), editable);

        messages_.recorder.answers = answers;
        QTest::mouseClick(dlg.editButton(), Qt::LeftButton);
        const bool editing = editable && answers != std::vector<Answer>{Answer::No};
        QCOMPARE(dlg.isEditing(), editing);
        QCOMPARE(dlg.valueField()->isReadOnly(), !editing);
        QCOMPARE(dlg.editButton()->isEnabled(), editable && !editing);
        QCOMPARE(dlg.valueField()->hasFocus(), editing);
        if (!typed.isEmpty()) {
            dlg.valueField()->selectAll();
            type(dlg.valueField(), typed);
        }
        QTest::mouseClick(ok ? dlg.okButton() : dlg.cancelButton(), Qt::LeftButton);
        QCOMPARE(log(messages_.recorder), messages);
        QCOMPARE(dlg.isVisible(), !closed);
        if (!closed)
            QVERIFY(dlg.valueField()->hasFocus());
        QCOMPARE(valueOf(ed.doc, id.toLatin1().constData()), value);
        QCOMPARE(ed.dlg->list()->topLevelItem(row)->text(1), value);
        QCOMPARE(ed.doc.isModified(), value != before);
    }

    void insertAppendsUpdatesOrRefuses_data()
    {
        QTest::addColumn<QString>("typedId");
        QTest::addColumn<QString>("value");
        QTest::addColumn<std::vector<Answer>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("focus");   // "" closed, else the field keeping the focus
        QTest::addColumn<QString>("id");      // the entry looked at afterwards
        QTest::addColumn<QString>("result");  // its value afterwards ("<none>": absent)
        QTest::addColumn<bool>("appended");
        const std::vector<Answer> none, yes{Answer::Yes}, no{Answer::No};
        const QString input = "warning|Incorrect input|";
        const QString readOnly = "warning|Insert|The entry being inserted is classified as READ-ONLY.\n"
                                 "Do you really want to create it?";
        const QString update = "warning|Insert|Entry COMMENT already exists.\n"
                               "Are you sure you want to update its value?";
        const QString comment = "Synthetic drift scan made by vexil-makedemo";
        const QString fits = QString(1997 - 5, QLatin1Char('x'));
        QTest::newRow("new, typed lower case") << "9note_a" << " hello " << none << QStringList() << "" << "9NOTE_A"
                                               << "hello" << true;
        QTest::newRow("new, longest line") << "LONG" << fits << none << QStringList() << "" << "LONG" << fits
                                           << true;
        QTest::newRow("line too long") << "LONG" << fits + "x" << none
                                       << QStringList{input + "The entry is longer than 1997 characters"} << "value"
                                       << "LONG" << "<none>" << false;
        QTest::newRow("empty ID") << "  " << "x" << none << QStringList{input + "'ID' field is empty"} << "id"
                                  << "COMMENT" << comment << false;
        QTest::newRow("empty value") << "NOTE" << "   " << none << QStringList{input + "'Value' field is empty"}
                                     << "value" << "NOTE" << "<none>" << false;
        QTest::newRow("hyphen") << "date-obs" << "x" << none
                                << QStringList{input + "'ID' must be an upper-case alphanumeric identifier."} << "id"
                                << "DATE-OBS" << "2026-11-14" << false;
        QTest::newRow("value beyond Latin-1")
            << "NOTE" << "\u0416" << none << QStringList{input + "'Value' field holds characters outside Latin-1"}
            << "value" << "NOTE" << "<none>" << false;
        QTest::newRow("existing FREE, Yes") << "comment" << "new text" << yes << QStringList{update} << ""
                                            << "COMMENT" << "new text" << false;
        QTest::newRow("existing FREE, No") << "COMMENT" << "new text" << no << QStringList{update} << ""
                                           << "COMMENT" << comment << false;
        QTest::newRow("existing PROTECTED")
            << "OBJECT" << "x" << yes
            << QStringList{"stop|Insert failed|Entry OBJECT already exists and is READ-ONLY or PROTECTED"} << ""
            << "OBJECT" << "3C 84" << false;
        QTest::newRow("existing READ-ONLY")
            << "naxis" << "2" << yes
            << QStringList{"stop|Insert failed|Entry NAXIS already exists and is READ-ONLY or PROTECTED"} << ""
            << "NAXIS" << "1" << false;
        QTest::newRow("READ-ONLY dictionary ID, Yes") << "tau" << "0.1" << yes << QStringList{readOnly} << ""
                                                      << "TAU" << "0.1" << true;
        QTest::newRow("READ-ONLY dictionary ID, No") << "TAU" << "0.1" << no << QStringList{readOnly} << ""
                                                     << "TAU" << "<none>" << false;
    }
    void insertAppendsUpdatesOrRefuses()
    {
        QFETCH(QString, typedId);
        QFETCH(QString, value);
        QFETCH(std::vector<Answer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(QString, focus);
        QFETCH(QString, id);
        QFETCH(QString, result);
        QFETCH(bool, appended);
        Editor ed(scan_);
        CInsertEntryDlg dlg(*ed.dlg);
        dlg.show();
        dlg.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &dlg);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Insert into scan"));
        QTest::keyClicks(dlg.idField(), typedId);
        QCOMPARE(dlg.idField()->text(), typedId.toUpper());
        type(dlg.valueField(), value);
        const QString before = valueOf(ed.doc, id.toLatin1().constData());
        messages_.recorder.answers = answers;
        QTest::mouseClick(dlg.okButton(), Qt::LeftButton);

        QCOMPARE(log(messages_.recorder), messages);
        QCOMPARE(dlg.isVisible(), !focus.isEmpty());
        if (!focus.isEmpty())
            QVERIFY((focus == QLatin1String("id") ? dlg.idField() : dlg.valueField())->hasFocus());
        QCOMPARE(valueOf(ed.doc, id.toLatin1().constData()), result);
        const QStringList rows = rowIds(*ed.dlg);
        QCOMPARE(rows, headIds(*ed.doc.GetFFile()));
        QCOMPARE(rows, appended ? kIds + QStringList{id} : kIds);
        if (rows.contains(id))
            QCOMPARE(ed.dlg->list()->topLevelItem(rows.indexOf(id))->text(1), result);
        QCOMPARE(ed.doc.isModified(), result != before);
    }

    void deletionAsksOnceOrTwiceAndRefusesReadOnly_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("byKeys");  // selected with the keys after a click on the row above
        QTest::addColumn<std::vector<Answer>>("answers");
        QTest::addColumn<QStringList>("messages");  // after the first question
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<QString>("selected");  // afterwards
        QTest::addColumn<bool>("deleteEnabled");
        const std::vector<Answer> yes{Answer::Yes}, no{Answer::No};
        const QString second = "warning|Delete from scan|Head entry OBJECT is PROTECTED.\n"
                               "Are you still sure you want to delete it?";
        QTest::newRow("FREE, Yes") << "COMMENT" << false << yes << QStringList() << true << "MYNOTE" << true;
        QTest::newRow("FREE, No") << "COMMENT" << false << no << QStringList() << false << "COMMENT" << true;
        QTest::newRow("PROTECTED, Yes Yes")
            << "OBJECT" << false << std::vector<Answer>{Answer::Yes, Answer::Yes} << QStringList{second} << true
            << "DATE-OBS" << false;
        QTest::newRow("PROTECTED, Yes No") << "OBJECT" << false << std::vector<Answer>{Answer::Yes, Answer::No}
                                           << QStringList{second} << false << "OBJECT" << true;
        QTest::newRow("PROTECTED, No") << "OBJECT" << false << no << QStringList() << false << "OBJECT" << true;
        QTest::newRow("READ-ONLY, Yes")
            << "DATE-OBS" << true << yes
            << QStringList{"stop|Delete from scan|Can't delete READ-ONLY entry DATE-OBS"} << false << "DATE-OBS"
            << true;
        QTest::newRow("READ-ONLY, No") << "DATE-OBS" << true << no << QStringList() << false << "DATE-OBS" << true;
    }
    void deletionAsksOnceOrTwiceAndRefusesReadOnly()
    {
        QFETCH(QString, id);
        QFETCH(bool, byKeys);
        QFETCH(std::vector<Answer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(bool, deleted);
        QFETCH(QString, selected);
        QFETCH(bool, deleteEnabled);
        Editor ed(scan_);
        const QByteArray name = id.toLatin1();
        if (byKeys) {
            ed.click(kIds[kIds.indexOf(id) - 1].toLatin1().constData());
            QTest::keyClick(ed.dlg->list(), Qt::Key_Down);
        } else {
            ed.click(name.constData());
        }
        QCOMPARE(ed.selected(), id);
        QVERIFY(ed.dlg->deleteButton()->isEnabled());
        messages_.recorder.answers = answers;
        QTest::mouseClick(ed.dlg->deleteButton(), Qt::LeftButton);
        messages.prepend("ask|Delete from scan|Head entry " + id + " is to be deleted\nAre you sure?");
        QCOMPARE(log(messages_.recorder), messages);
        QCOMPARE(ed.doc.GetFFile()->Has(name.constData()), !deleted);
        QCOMPARE(rowIds(*ed.dlg), headIds(*ed.doc.GetFFile()));
        QCOMPARE(ed.doc.isModified(), deleted);
        QCOMPARE(ed.selected(), selected);
        QCOMPARE(ed.dlg->deleteButton()->isEnabled(), deleteEnabled);
        QVERIFY(ed.dlg->openButton()->isEnabled());
    }

    void deleteKeyRunsTheDeletionOfTheSelectedRow()
    {
        Editor ed(scan_);
        ed.select("MYNOTE");  // selected without a click: the Delete button stays disabled
        QVERIFY(!ed.dlg->deleteButton()->isEnabled());
        messages_.recorder.answers = {Answer::Yes};
        QTest::keyClick(ed.dlg->list(), Qt::Key_Delete);
        QCOMPARE(log(messages_.recorder).size(), 1);
        QCOMPARE(rowIds(*ed.dlg), kIds.mid(0, kIds.size() - 1));
        QCOMPARE(ed.selected(), QStringLiteral("COMMENT"));
        QVERIFY(ed.dlg->deleteButton()->isEnabled());
    }

    void viewHeadEditsTheActiveDocument()
    {
        const QString path = dir_.scan(QStringLiteral("app.ff"), 300);
        RunningApp run;
        CMainFrame& frame = run.frame();
        QVERIFY(!frame.action(32809)->isEnabled());
        CFFDoc* doc = run.app->OpenDocumentFile(path);
        QVERIFY(doc && frame.action(32809)->isEnabled());
        QVERIFY(frame.toolBar()->actions().contains(frame.action(32809)));
        auto seen = onModal<CHeadDlg>([](CHeadDlg& dlg) {
            onModal<CInsertEntryDlg>([](CInsertEntryDlg& ins) {
                QTest::keyClicks(ins.idField(), QStringLiteral("observer2"));
                QTest::keyClicks(ins.valueField(), QStringLiteral("A. Smith"));
                ins.okButton()->click();
            });
            dlg.insertButton()->click();
            dlg.okButton()->click();
        });
        QVERIFY(frame.runCommand(32809));
        QVERIFY(*seen);
        QVERIFY(doc->isModified());
        QCOMPARE(frame.windowTitle(), QStringLiteral("Vexil - app.ff*"));

        // A second view of the document shows the changed header.
        QVERIFY(frame.runCommand(57648));
        QCOMPARE(frame.activeFrame()->windowTitle(), QStringLiteral("app.ff:2*"));
        QStringList rows;
        seen = onModal<CHeadDlg>([&rows](CHeadDlg& dlg) {
            rows = rowIds(dlg);
            dlg.reject();
        });
        QVERIFY(frame.runCommand(32809));
        QVERIFY(*seen);
        QCOMPARE(rows.last(), QStringLiteral("OBSERVER2"));

        QVERIFY(doc->DoFileSave());
        QCOMPARE(frame.windowTitle(), QStringLiteral("Vexil - app.ff:2"));
        FFile saved;
        QVERIFY(saved.Read(path.toStdString()));
        QCOMPARE(saved.GetText("OBSERVER2"), std::string("A. Smith"));
        QVERIFY(run.messages.recorder.entries.empty());
    }
};

QTEST_MAIN(HeadEditorTest)
#include "tst_headeditor.moc"
