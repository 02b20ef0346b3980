// Undo and Redo over sequences of changes, as a user makes them: each step
// of a row names the state the document must then be in (numbered in the
// order the states first appear) and whether it is modified.

#include "CChildFrame.h"
#include "CFFDoc.h"
#include "CFFView.h"
#include "CMainFrame.h"
#include "CVexilApp.h"
#include "FFile.h"
#include "PolyTuning.h"
#include "ShellTestSupport.h"
#include "UndoHistory.h"

#include <QAction>
#include <QTest>

#include <cmath>
#include <cstring>

namespace {

CFFView* viewOf(CChildFrame* frame) { return qobject_cast<CFFView*>(frame->view()); }

// Everything Undo must give back, as bytes: samples (NaN payloads
// included), header lines in order, and the axis set up from them.
struct State {
    QByteArray samples, header, axis;
    bool operator==(const State&) const = default;
};

State stateOf(const FFile& f)
{
    State s;
    s.samples = QByteArray(reinterpret_cast<const char*>(f.Data()), f.Count() * int(sizeof(float)));
    s.header = QByteArray::fromStdString(f.HeaderBytes());
    s.axis = QByteArray::number(f.DisplayX(1), 'g', 17) + ' ' + QByteArray::fromStdString(f.UnitLabel());
    return s;
}

float bits(std::uint32_t b)
{
    float f;
    std::memcpy(&f, &b, sizeof f);
    return f;
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT
private:
    ShellFolders dir_;

    // Runs one step; false if the command was refused.
    bool step(RunningApp& run, CFFDoc*& doc, const QString& op)
    {
        CMainFrame& frame = run.frame();
        for (CChildFrame* f : frame.framesOf(doc))
            viewOf(f)->clearMarks();
        ViewArrays* a = op == "clip" || op == "glue" ? &viewOf(frame.activeFrame())->arrays() : nullptr;
        if (op == "clip") {
            a->markRange(100, 199, MarkSelected);
            a->markRange(200, 219, MarkDiscarded);
            a->markRange(220, 319, MarkSelected);
            return frame.runCommand(32777);
        }
        if (op == "glue") {
            a->markRange(300, 359, MarkSelected);
            a->markRange(360, 369, MarkDiscarded);
            a->markRange(370, 429, MarkSelected);
            return frame.runCommand(32778);
        }
        if (op == "trend")
            return frame.runCommand(32781);
        if (op == "copy") {
            const bool ok = frame.runAccelerator(QStringLiteral("Ctrl+C"));
            doc = run.app->documents().last();
            return ok;
        }
        if (op == "set")
            return doc->setHeadValue("OBJECT", "Cas A");
        if (op == "insert")  // a new entry comes last
            return doc->insertHeadEntry("AUTHOR", "Ivanov") &&
                   doc->GetFFile()->IndexOf("AUTHOR") == doc->GetFFile()->EntryCount() - 1;
        if (op == "delete")
            return doc->removeHeadEntry("OBSERVER");
        if (op == "axis")
            return doc->setHeadValue("CRVAL1", "100");
        if (op == "save")
            return doc->DoFileSave();
        // Undo and Redo of a sample change drop the marks of every view: set
        // some to see them go.
        for (CChildFrame* f : frame.framesOf(doc))
            viewOf(f)->arrays().markRange(5, 9, MarkSelected);
        const QMap<QString, QString> keys = {
            {"u", "Ctrl+Z"}, {"U", "Alt+Backspace"}, {"r", "Ctrl+Y"}, {"R", "Ctrl+Shift+Z"}};
        return frame.runAccelerator(keys.value(op));
    }

private slots:
    void initTestCase()
    {
        Tuning<ClipTuning>::setEditor(nullptr);
        Tuning<GlueTuning>::setEditor(nullptr);
        Tuning<TrendTuning>::setEditor(nullptr);
    }

    void sequences_data()
    {
        QTest::addColumn<QString>("steps");  // op:state, * when modified; op! refused
        QTest::addColumn<bool>("nan");       // NaN payloads in the clipped stretch
        QTest::addColumn<qint64>("minimumCap");
        QTest::addColumn<QString>("menus");  // Undo and Redo texts at the end
        QTest::addColumn<QString>("tips");
        const qint64 big = qint64(64) << 20;
        QTest::newRow("nothing to undo") << "u! r!" << false << big << "&Undo\tCtrl+Z|&Redo\tCtrl+Y"
                                         << "Undo the last action|Redo the previously undone action";
        QTest::newRow("clip") << "clip:1* u:0 r:1* U:0 R:1*" << true << big << "&Undo Clip\tCtrl+Z|&Redo\tCtrl+Y"
                              << "Undo Clip|Redo the previously undone action";
        QTest::newRow("glue") << "glue:1* u:0" << false << big << "&Undo\tCtrl+Z|&Redo Glue\tCtrl+Y"
                              << "Undo the last action|Redo Glue";
        QTest::newRow("trend after clip") << "clip:1* trend:2* u:1* u:0 r:1*" << false << big
                                          << "&Undo Clip\tCtrl+Z|&Redo Remove trend\tCtrl+Y"
                                          << "Undo Clip|Redo Remove trend";
        QTest::newRow("header") << "set:1* insert:2* delete:3* u:2* u:1* u:0 u! r:1* r:2* r:3*" << false << big
                                << "&Undo Delete OBSERVER\tCtrl+Z|&Redo\tCtrl+Y"
                                << "Undo Delete OBSERVER|Redo the previously undone action";
        QTest::newRow("axis") << "axis:1* u:0 r:1*" << false << big << "&Undo Set CRVAL1\tCtrl+Z|&Redo\tCtrl+Y"
                              << "Undo Set CRVAL1|Redo the previously undone action";
        QTest::newRow("saves between") << "clip:1* save:1 set:2* u:1 u:0* save:0 r:1* r:2* u:1* u:0" << true << big
                                       << "&Undo\tCtrl+Z|&Redo Clip\tCtrl+Y"
                                       << "Undo the last action|Redo Clip";
        QTest::newRow("new change clears redo") << "clip:1* u:0 set:2* r! u:0" << false << big
                                                << "&Undo\tCtrl+Z|&Redo Set OBJECT\tCtrl+Y"
                                                << "Undo the last action|Redo Set OBJECT";
        QTest::newRow("new document") << "clip:1* copy:0* u! trend:1* u:0* r:1*" << false << big
                                      << "&Undo Remove trend\tCtrl+Z|&Redo\tCtrl+Y"
                                      << "Undo Remove trend|Redo the previously undone action";
        QTest::newRow("no cap under 64 MiB")
            << "trend:1* trend:2* trend:3* clip:4* trend:5* u:4* u:3* u:2* u:1* u:0" << false << big
            << "&Undo\tCtrl+Z|&Redo Remove trend\tCtrl+Y" << "Undo the last action|Redo Remove trend";
        // Four records of 600 samples: the first trend goes, the small clip stays.
        QTest::newRow("cap drops the oldest")
            << "trend:1* trend:2* trend:3* clip:4* trend:5* u:4* u:3* u:2* u:1* u!" << false << qint64(0)
            << "&Undo\tCtrl+Z|&Redo Remove trend\tCtrl+Y" << "Undo the last action|Redo Remove trend";
        QTest::newRow("cap keeps a later save")
            << "trend:1* save:1 trend:2* trend:3* clip:4* trend:5* u:4* u:3* u:2* u:1 u!" << false << qint64(0)
            << "&Undo\tCtrl+Z|&Redo Remove trend\tCtrl+Y" << "Undo the last action|Redo Remove trend";
        QTest::newRow("cap drops the save")
            << "save:0 trend:1* trend:2* trend:3* clip:4* trend:5* u:4* u:3* u:2* u:1* u!" << false << qint64(0)
            << "&Undo\tCtrl+Z|&Redo Remove trend\tCtrl+Y" << "Undo the last action|Redo Remove trend";
    }

    void sequences()
    {
        QFETCH(QString, steps);
        QFETCH(bool, nan);
        QFETCH(qint64, minimumCap);
        QFETCH(QString, menus);
        QFETCH(QString, tips);
        UndoHistory::setMinimumCap(minimumCap);
        RunningApp run;
        CFFDoc* doc = run.app->OpenDocumentFile(dir_.scan(QString::fromLatin1(QTest::currentDataTag()) + ".ff", 600));
        QVERIFY(doc);
        if (nan) {
            doc->GetFFile()->Data()[205] = bits(0x7fc00123u);
            doc->GetFFile()->Data()[210] = bits(0xffa00007u);  // signalling, negative
        }
        QVERIFY(run.frame().runCommand(57648));  // a second view, which follows every change
        QList<State> states = {stateOf(*doc->GetFFile())};

        for (const QString& token : steps.split(' ')) {
            const bool refused = token.endsWith('!');
            const QString op = token.section(refused ? '!' : ':', 0, 0);
            const State before = stateOf(*doc->GetFFile());
            QCOMPARE(step(run, doc, op), !refused);
            const State now = stateOf(*doc->GetFFile());
            if (refused) {
                QVERIFY2(now == before, qPrintable(token));
                continue;
            }
            // What each change touches: samples, header lines, the axis set up from them.
            const QString parts = QMap<QString, QString>{{"clip", "s"},   {"glue", "s"},   {"trend", "s"}, {"set", "h"},
                                                         {"insert", "h"}, {"delete", "h"}, {"axis", "ha"}}
                                      .value(op, "?");
            if (parts != "?") {
                QVERIFY2((now.samples != before.samples) == parts.contains('s'), qPrintable(token));
                QVERIFY2((now.header != before.header) == parts.contains('h'), qPrintable(token));
                QVERIFY2((now.axis != before.axis) == parts.contains('a'), qPrintable(token));
            }
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
                QCOMPARE(viewOf(frame)->scales().minimum, lo);
                QCOMPARE(viewOf(frame)->scales().maximum, hi);
                QCOMPARE(viewOf(frame)->hasMark(MarkSelected), op.size() == 1 && now.samples == before.samples);
            }
            if (op.size() == 1)  // the status bar names what was undone or redone
                QVERIFY(run.frame().paneText(0).startsWith(op.toLower() == "u" ? "Undo " : "Redo "));
        }
        QAction* undo = run.frame().action(57643);
        QAction* redo = run.frame().action(57644);
        QCOMPARE(undo->text() + '|' + redo->text(), menus);
        QCOMPARE(undo->statusTip() + '|' + redo->statusTip(), tips);
        QCOMPARE(undo->isEnabled(), undo->text().contains(' '));
        QCOMPARE(redo->isEnabled(), redo->text().contains(' '));
        // Closing asks only about a modified document.
        const bool modified = doc->isModified();
        run.messages.recorder.clear();
        run.messages.recorder.answers = {Answer::No};
        QVERIFY(run.app->CloseDocument(doc));
        QCOMPARE(run.messages.recorder.entries.size(), size_t(modified ? 1 : 0));
    }
};

QTEST_MAIN(UndoTest)
#include "tst_undo.moc"
