// The progress dialog of long computations: nothing for short ones, a
// modal QProgressDialog with Cancel after half a second, and Cancel
// reaching the computation.

#include "QtProgressHook.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

class ProgressTest : public QObject {
    Q_OBJECT
private slots:
    void dialogAppearsLateAndCancels()
    {
        QtProgressHook hook;
        hook.begin("Sliding mean");
        QVERIFY(hook.update(0.0));
        QVERIFY(hook.update(0.1));
        QVERIFY(!hook.dialog());  // not before half a second
        QTest::qWait(QtProgressHook::kDelayMs + 50);
        QVERIFY(hook.update(0.25));
        QProgressDialog* d = hook.dialog();
        QVERIFY(d && d->isVisible());
        QCOMPARE(d->labelText(), QString::fromUtf8("Sliding mean\u2026"));
        QCOMPARE(d->value(), 250);
        QCOMPARE(d->windowModality(), Qt::ApplicationModal);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        // Cancel as the user clicks it.
        QPushButton* cancel = d->findChild<QPushButton*>();
        QVERIFY(cancel);
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        cancel->click();
        QVERIFY(!hook.update(0.3));
        hook.end();
        QVERIFY(!hook.dialog());
        QVERIFY(!QGuiApplication::overrideCursor());
        // The next computation starts without a dialog again.
        hook.begin("Glue");
        QVERIFY(hook.update(0.5));
        QVERIFY(!hook.dialog());
        hook.end();
    }
};

QTEST_MAIN(ProgressTest)
#include "tst_progress.moc"
