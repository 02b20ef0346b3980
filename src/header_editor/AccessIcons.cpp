#include "AccessIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

// A luggage tag pointing left, with its string hole.
void drawTag(QPainter& p)
{
    p.setPen(QPen(QColor(0, 110, 130), 1));
    p.setBrush(QColor(0, 205, 225));
    p.drawPolygon(QPolygonF({{0.5, 7.5}, {4.5, 2.5}, {14.5, 2.5}, {14.5, 12.5}, {4.5, 12.5}}));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(4.5, 7.5), 1.3, 1.3);
}

void drawPadlock(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(80, 80, 80), 1.6));
    QPainterPath shackle;
    shackle.moveTo(10, 10);
    shackle.lineTo(10, 7.5);
    shackle.arcTo(QRectF(10, 5.5, 4, 4), 180, -180);
    shackle.lineTo(14, 10);
    p.drawPath(shackle);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(QRectF(8.5, 9.5, 7, 6));
    p.setPen(QPen(QColor(50, 50, 50), 1));
    p.drawLine(QPointF(12, 11.5), QPointF(12, 13.5));
}

void drawKey(QPainter& p)
{
    const QColor edge(140, 105, 0);
    p.setPen(QPen(edge, 1));
    p.setBrush(QColor(250, 205, 20));
    p.drawRect(QRectF(10.5, 11, 5, 1.8));
    p.drawRect(QRectF(13, 12.5, 1.2, 2.5));
    p.drawEllipse(QPointF(9, 11.9), 2.8, 2.8);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8.5, 11.9), 0.8, 0.8);
}

QPixmap render(int index, int scale)
{
    QPixmap pm(16 * scale, 16 * scale);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(scale, scale);
    drawTag(p);
    if (index == 0)
        drawPadlock(p);
    else if (index == 1)
        drawKey(p);
    return pm;
}

}  // namespace

namespace AccessIcons {

int indexOf(char access) { return access == 'r' ? 0 : access == 'p' ? 1 : 2; }

QIcon icon(int index)
{
    QIcon result;
    result.addPixmap(render(index, 1));
    result.addPixmap(render(index, 2));
    return result;
}

}  // namespace AccessIcons
