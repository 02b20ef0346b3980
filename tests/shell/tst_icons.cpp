// The pictures drawn in code against the approved sheet data/icons.png (after a deliberate change, approve the sheet
// this test writes).
#include "AccessIcons.h"
#include "ToolbarIcons.h"

#include <QDir>
#include <QPainter>
#include <QtTest>

class IconsTest : public QObject {
    Q_OBJECT
private slots:
    void picturesMatchTheApprovedSheet()
    {
        QList<QPixmap> cells;
        for (int id = 0; id < 0x10000; ++id)
            if (const QIcon icon = ToolbarIcons::icon(id); !icon.isNull())
                for (qreal dpr : {1.0, 2.0})
                    cells << icon.pixmap(QSize(18, 18), dpr, QIcon::Normal) << icon.pixmap(QSize(18, 18), dpr, QIcon::Disabled);
        for (int size : {16, 32, 48})
            cells << ToolbarIcons::appIcon().pixmap(size, size);
        for (int i = 0; i < 3; ++i)
            cells << AccessIcons::icon(i).pixmap(16, 16);

        const int cell = 48, columns = 8;
        QImage image(columns * cell, int((cells.size() + columns - 1) / columns) * cell, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        for (int i = 0; i < cells.size(); ++i) {
            QImage pic = cells[i].toImage();
            pic.setDevicePixelRatio(1.0);
            p.drawImage((i % columns) * cell, (i / columns) * cell, pic);
        }
        p.end();
        const QImage approved(QFINDTESTDATA("data/icons.png"));
        const QString path = QDir::temp().filePath("vexil-icons-actual.png");
        if (approved.isNull() || approved.convertToFormat(QImage::Format_ARGB32) != image) {
            image.save(path);
            QFAIL(qPrintable("the pictures differ from the approved sheet; see " + path));
        }
    }
};

QTEST_MAIN(IconsTest)
#include "tst_icons.moc"
