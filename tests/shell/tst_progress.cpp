// The progress dialog of long computations: late, modal, and cancellable.

#include "QtProgressHook.h"

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
        QVERIFY(hook.update(0.0) && hook.update(0.1) && !hook.dialog());  // not before half a second
        QTest::qWait(QtProgressHook::kDelayMs + 50);
        QVERIFY(hook.update(0.25));
        QProgressDialog* d = hook.dialog();
        QVERIFY(d && d->isVisible() && d->windowModality() == Qt::ApplicationModal);
        QCOMPARE(d->labelText() + QString::number(d->value()), QString::fromUtf8("Sliding mean\u2026250"));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
        QPushButton* cancel = d->findChild<QPushButton*>();
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        cancel->click();
        QVERIFY(!hook.update(0.3));
        hook.end();
        QVERIFY(!hook.dialog() && !QGuiApplication::overrideCursor());
        hook.begin("Glue");  // the next computation starts without a dialog again
        QVERIFY(hook.update(0.5) && !hook.dialog());
        hook.end();
    }
};

QTEST_MAIN(ProgressTest)
#include "tst_progress.moc"
