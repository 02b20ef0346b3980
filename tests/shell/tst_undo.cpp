// Undo and Redo over sequences of changes; states are numbered as they first appear.

#include "PolyTuning.h"
#include "ShellTestSupport.h"
#include "UndoHistory.h"

#include <QAction>

#include <cmath>
#include <cstring>

namespace {

CFFView* viewOf(CChildFrame* frame) { return qobject_cast<CFFView*>(frame->view()); }

// Everything Undo must give back, as bytes: samples (NaN payloads included), header lines in order, and the axis set
// up from them.
struct State {
    QByteArray samples, header, axis;
    bool operator==(const State&) const = default;
};

State stateOf(const FFile& f)
{
    return {QByteArray(reinterpret_cast<const char*>(f.Data()), f.Count() * int(sizeof(float))),
            QByteArray::fromStdString(f.HeaderBytes()),
            QByteArray::number(f.DisplayX(1), 'g', 17) + ' ' + QByteArray::fromStdString(f.UnitLabel())};
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;

    // Runs one step; false if the command was refused.
    bool step(RunningApp& run, CFFDoc*& doc, const QString& op)
    {
        CMainFrame& frame = run.frame();
        for (CChildFrame* f : frame.framesOf(doc))
            viewOf(f)->clearMarks();
        // Selected, discarded, selected: Clip replaces 200..219, Glue shifts 360.. to the end.
        const int first = op == "clip" ? 100 : 300, discarded = op == "clip" ? 200 : 360;
        if (op == "clip" || op == "glue") {
            ViewArrays& a = viewOf(frame.activeFrame())->arrays();
            a.markRange(first, first + 129, MarkSelected);
            a.markRange(discarded, discarded + (op == "clip" ? 19 : 9), MarkDiscarded);
        }
        if (const int id = QMap<QString, int>{{"clip", 32777}, {"glue", 32778}, {"trend", 32781}}.value(op))
            return frame.runCommand(id);
        if (op == "copy")
            return frame.runAccelerator(QStringLiteral("Ctrl+C")) && (doc = run.app->documents().last());
        if (op == "set" || op == "axis")
            return op == "set" ? doc->setHeadValue("OBJECT", "Cas A") : doc->setHeadValue("CRVAL1", "100");
        if (op == "insert")  // a new entry comes last
            return doc->insertHeadEntry("AUTHOR", "Ivanov") &&
                   doc->GetFFile()->IndexOf("AUTHOR") == doc->GetFFile()->EntryCount() - 1;
        if (op == "delete" || op == "save")
            return op == "save" ? doc->DoFileSave() : doc->removeHeadEntry("OBSERVER");
        // Undo and Redo of a sample change drop the marks of every view: set some to see them go.
        for (CChildFrame* f : frame.framesOf(doc))
            viewOf(f)->arrays().markRange(5, 9, MarkSelected);
        return frame.runAccelerator(
            QMap<QString, QString>{{"u", "Ctrl+Z"}, {"U", "Alt+Backspace"}, {"r", "Ctrl+Y"}, {"R", "Ctrl+Shift+Z"}}.value(op));
    }

private slots:
    void initTestCase()
    {
        Tuning<ClipTuning>::setEditor(nullptr), Tuning<GlueTuning>::setEditor(nullptr), Tuning<TrendTuning>::setEditor(nullptr);
    }

    // steps: op:state, * when modified, op! refused; nan: NaN payloads in the clipped stretch; cap: four records,
    // without the 64 MiB minimum (the first trend goes, the small clip stays); names: Undo|Redo at the end.
    void sequences_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("nan");
        QTest::addColumn<bool>("smallCap");
        QTest::addColumn<QString>("names");
        const QString five = "trend:1* trend:2* trend:3* clip:4* trend:5* u:4* u:3* u:2* ";
        const struct { const char* tag; QString steps; bool nan, cap; const char* names; } rows[] = {
            {"nothing to undo", "u! r!", false, false, "|"},
            {"clip", "clip:1* u:0 r:1* U:0 R:1*", true, false, "Clip|"},
            {"glue, clip, trend", "glue:1* clip:2* trend:3* u:2* u:1* u:0 r:1*", false, false, "Glue|Clip"},
            {"header and axis", "set:1* insert:2* delete:3* axis:4* u:3* u:2* u:1* u:0 u! r:1* r:2* r:3*", false, false,
             "Delete OBSERVER|Set CRVAL1"},
            {"saves between", "clip:1* save:1 set:2* u:1 u:0* save:0 r:1* r:2* u:1* u:0", true, false, "|Clip"},
            {"new change clears redo", "clip:1* u:0 set:2* r! u:0", false, false, "|Set OBJECT"},
            {"new document", "clip:1* copy:0* u! trend:1* u:0* r:1*", false, false, "Remove trend|"},
            {"no cap under 64 MiB", five + "u:1* u:0", false, false, "|Remove trend"},
            {"cap drops the oldest", five + "u:1* u!", false, true, "|Remove trend"},
            {"cap holds four records", "trend:1* trend:2* trend:3* trend:4* u:3* u:2* u:1* u:0 u!", false, true,
             "|Remove trend"},
            {"cap keeps a later save", QString(five).replace("trend:1* ", "trend:1* save:1 ") + "u:1 u!", false, true, "|Remove trend"},
            {"cap drops the save", "save:0 " + five + "u:1* u!", false, true, "|Remove trend"}};
        for (const auto& r : rows)
            QTest::newRow(r.tag) << r.steps << r.nan << r.cap << QString::fromLatin1(r.names);
    }

    void capHoldsExactlyItsBytes()
    {
        struct Fixed : UndoStep {
            Fixed() : UndoStep(QStringLiteral("F"), true) {}
            qint64 savedBytes() const override { return 100; }
            UndoStep* copy() const override { return new Fixed; }
            void apply(bool) override {}
        };
        for (int pushes : {3, 4}) {
            UndoHistory h;
            for (int i = 0; i < pushes; ++i)
                h.push(new Fixed, 300);
            int undone = 0;
            for (; h.canUndo(); ++undone)
                h.undo();
            QCOMPARE(undone, 3);
        }
    }

    void sequences()
    {
        QFETCH(QString, steps);
        QFETCH(bool, nan);
        QFETCH(bool, smallCap);
        QFETCH(QString, names);
        UndoHistory::setMinimumCap(smallCap ? 0 : qint64(64) << 20);
        RunningApp run;
        CFFDoc* doc = run.app->OpenDocumentFile(dir_.scan(QString::fromLatin1(QTest::currentDataTag()) + ".ff", 600));
        QVERIFY(doc);
        if (nan) {  // a quiet NaN with a payload, and a negative signalling one
            std::memcpy(doc->GetFFile()->Data() + 205, "\x23\x01\xc0\x7f", 4);
            std::memcpy(doc->GetFFile()->Data() + 210, "\x07\x00\xa0\xff", 4);
        }
        QVERIFY(run.frame().runCommand(57648));  // a second view, which follows every change
        QList<State> states = {stateOf(*doc->GetFFile())};

        for (const QString& token : steps.split(' ')) {
            const bool refused = token.endsWith('!');
            const QString op = token.section(refused ? '!' : ':', 0, 0);
            const State before = stateOf(*doc->GetFFile());
            QCOMPARE(step(run, doc, op), !refused);
            const State now = stateOf(*doc->GetFFile());
            QVERIFY2(!refused || now == before, qPrintable(token));
            if (refused)
                continue;
            QVERIFY2(op != "axis" || now.axis != before.axis, "the axis follows the header");
            const int want = token.section(':', 1).remove('*').toInt();
            if (op == "copy")
                states = {now};
            else if (want == states.size())
                states.append(now);
            QVERIFY2(want < states.size() && now == states[want], qPrintable(token));
            QVERIFY2(doc->isModified() == token.endsWith('*'), qPrintable(token));
            for (CChildFrame* frame : run.frame().framesOf(doc)) {
                // Every view shows the values now held, without marks set on others.
                const FFile& f = *doc->GetFFile();
                float lo = INFINITY, hi = -INFINITY;
                for (int i = 0; i < f.Count(); ++i)
                    if (std::isfinite(f.Data()[i]))
                        lo = std::min(lo, f.Data()[i]), hi = std::max(hi, f.Data()[i]);
                QVERIFY(viewOf(frame)->scales().minimum == lo && viewOf(frame)->scales().maximum == hi);
                QCOMPARE(viewOf(frame)->hasMark(MarkSelected), op.size() == 1 && now.samples == before.samples);
            }
            if (op.size() == 1)  // the status bar names what was undone or redone
                QVERIFY(run.frame().paneText(0).startsWith(op.toLower() == "u" ? "Undo " : "Redo "));
        }
        // The menus and the status bar name the change, and only a possible command is enabled.
        const QString u = names.section('|', 0, 0), r = names.section('|', 1);
        QAction *undo = run.frame().action(57643), *redo = run.frame().action(57644);
        QCOMPARE(undo->text(), u.isEmpty() ? "&Undo\tCtrl+Z" : "&Undo " + u + "\tCtrl+Z");
        QCOMPARE(redo->text(), r.isEmpty() ? "&Redo\tCtrl+Y" : "&Redo " + r + "\tCtrl+Y");
        QCOMPARE(undo->statusTip(), u.isEmpty() ? "Undo the last action" : "Undo " + u);
        QCOMPARE(redo->statusTip(), r.isEmpty() ? "Redo the previously undone action" : "Redo " + r);
        QVERIFY(undo->isEnabled() == !u.isEmpty() && redo->isEnabled() == !r.isEmpty());
    }
};

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
