// Where new child windows open; a fitted view stays fitted as its window moves.

#include "ShellTestSupport.h"

#include <QMdiArea>

class NavigationTest : public QObject {
    Q_OBJECT
    ShellFolders dir_;

private slots:
    void newWindowsCascadeInsideTheWorkspace()
    {
        RunningApp run;
        run.frame().resize(1000, 760);
        for (int i = 0; i < 3; ++i)
            QVERIFY(run.app->OpenDocumentFile(dir_.scan(QStringLiteral("c%1.ff").arg(i), 4000)));
        QCoreApplication::processEvents();
        const auto frames = run.frame().childFrames();
        const QRect area = run.frame().mdiArea()->viewport()->rect();
        QCOMPARE(frames[0]->geometry(), area);
        for (int i = 1; i < 3; ++i) {
            const QRect r = frames[i]->geometry();
            QVERIFY(area.contains(r) && r.width() < area.width() && r.x() > frames[i - 1]->x() && r.y() > frames[i - 1]->y());
        }
        // The first window keeps filling the workspace, its view fitted.
        run.frame().resize(1200, 860);
        QCoreApplication::processEvents();
        QCOMPARE(frames[0]->geometry(), run.frame().mdiArea()->viewport()->rect());
        auto* view = qobject_cast<CFFView*>(frames[0]->view());
        QCOMPARE(view->scales().samplesPerPixel, 4000.0 / view->viewport()->width());
        QCOMPARE(view->scales().bottomRow, view->viewport()->height() - 1.0);
    }
};

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
