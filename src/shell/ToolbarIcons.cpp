#include "ToolbarIcons.h"

#include "CommandIds.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <cmath>

namespace {

const QColor kInk(40, 40, 40);
const QColor kBlue(64, 64, 255);
const QColor kRed(255, 64, 64);
const QColor kGrey(150, 150, 150);

// A small scan-like curve across the button, as the plot draws it.
QPolygonF scanCurve(double x0, double x1, double base, double amp)
{
    QPolygonF poly;
    for (int i = 0; i <= 14; ++i) {
        const double t = i / 14.0;
        const double bump = std::exp(-std::pow((t - 0.5) / 0.16, 2));
        poly << QPointF(x0 + (x1 - x0) * t, base - amp * bump);
    }
    return poly;
}

void arrow(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0)
        return;
    const QPointF u = d / len, n(-u.y(), u.x());
    p.drawLine(to, to - 3 * u + 2.5 * n);
    p.drawLine(to, to - 3 * u - 2.5 * n);
}

void drawFolder(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(240, 200, 90));
    p.drawPolygon(QPolygonF({{1.5, 4.5}, {6.5, 4.5}, {8, 6}, {15.5, 6}, {15.5, 15.5}, {1.5, 15.5}}));
    p.setBrush(QColor(250, 225, 130));
    p.drawPolygon(QPolygonF({{3.5, 8.5}, {17.5, 8.5}, {15.5, 15.5}, {1.5, 15.5}}));
}

void drawDisk(QPainter& p, QColor body)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(body);
    p.drawRect(QRectF(2.5, 2.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 2.5, 7, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 10.5, 9, 5));
}

void drawPicture(QPainter& p, int id)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen ink(kInk, 1.2);
    switch (id) {
    case Cmd::FileOpen:
        drawFolder(p);
        break;
    case Cmd::FileSave:
        drawDisk(p, QColor(70, 110, 190));
        break;
    case Cmd::FileSaveAs:
        drawDisk(p, QColor(70, 110, 190));
        p.setPen(QPen(kRed, 2));
        p.drawLine(QPointF(10, 16), QPointF(17, 9));
        break;
    case Cmd::ToolMeasure: {
        p.setPen(QPen(kInk, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(3.5, 4.5, 11, 9));
        p.setPen(ink);
        arrow(p, {3.5, 16.5}, {14.5, 16.5});
        arrow(p, {16.5, 13.5}, {16.5, 4.5});
        break;
    }
    case Cmd::ToolSelect:
    case Cmd::ToolDiscard: {
        const QColor mark = id == Cmd::ToolSelect ? kBlue : kRed;
        p.setPen(QPen(kGrey, 1.2));
        p.drawPolyline(scanCurve(1, 17, 14, 9));
        p.setPen(QPen(mark, 1.6));
        p.drawLine(QPointF(5.5, 1), QPointF(5.5, 17));
        p.drawLine(QPointF(12.5, 1), QPointF(12.5, 17));
        QPolygonF part;
        for (const QPointF& pt : scanCurve(1, 17, 14, 9))
            if (pt.x() >= 5.5 && pt.x() <= 12.5)
                part << pt;
        p.drawPolyline(part);
        break;
    }
    case Cmd::ToolRescaleX:
        p.setPen(ink);
        arrow(p, {9, 9}, {1.5, 9});
        arrow(p, {9, 9}, {16.5, 9});
        p.drawLine(QPointF(9, 4), QPointF(9, 14));
        break;
    case Cmd::ToolRescaleY:
        p.setPen(ink);
        arrow(p, {9, 9}, {9, 1.5});
        arrow(p, {9, 9}, {9, 16.5});
        p.drawLine(QPointF(4, 9), QPointF(14, 9));
        break;
    case Cmd::EditClip: {
        p.setPen(QPen(kGrey, 1.2));
        p.drawPolyline(QPolygonF({{1, 12}, {5, 11}, {7, 3}, {9, 2}, {11, 11}, {17, 12}}));
        p.setPen(QPen(kRed, 1.6));
        p.drawLine(QPointF(5, 11), QPointF(11, 11));
        break;
    }
    case Cmd::EditGlue:
        p.setPen(QPen(kGrey, 1.2));
        p.drawPolyline(QPolygonF({{1, 13}, {8, 12}, {8, 5}, {17, 4}}));
        p.setPen(QPen(kRed, 1.6));
        p.drawLine(QPointF(8, 12), QPointF(17, 11));
        break;
    case Cmd::OpCompress:
        p.setPen(ink);
        arrow(p, {1, 9}, {7, 9});
        arrow(p, {17, 9}, {11, 9});
        p.drawLine(QPointF(9, 3), QPointF(9, 15));
        break;
    case Cmd::OpSlidingMean: {
        p.setPen(QPen(kGrey, 1));
        QPolygonF noisy;
        for (int i = 0; i <= 16; ++i)
            noisy << QPointF(1 + i, 10 + ((i % 2) ? -3.0 : 3.0) - 4 * std::sin(i / 5.0));
        p.drawPolyline(noisy);
        p.setPen(QPen(kRed, 1.6));
        QPolygonF smooth;
        for (int i = 0; i <= 16; ++i)
            smooth << QPointF(1 + i, 10 - 4 * std::sin(i / 5.0));
        p.drawPolyline(smooth);
        break;
    }
    case Cmd::OpRemoveTrend:
        p.setPen(QPen(kGrey, 1.2));
        p.drawLine(QPointF(1, 15), QPointF(17, 3));
        p.setPen(QPen(kRed, 1.6));
        p.drawLine(QPointF(1, 14.5), QPointF(17, 14.5));
        p.setPen(ink);
        arrow(p, {12, 6.5}, {12, 12.5});
        break;
    case Cmd::OpLinearCombination:
        p.setPen(QPen(kBlue, 1.3));
        p.drawPolyline(scanCurve(1, 17, 8, 5));
        p.setPen(QPen(kRed, 1.3));
        p.drawPolyline(scanCurve(1, 17, 16, 5));
        p.setPen(QPen(kInk, 1.8));
        p.drawLine(QPointF(13, 1.5), QPointF(13, 7.5));
        p.drawLine(QPointF(10, 4.5), QPointF(16, 4.5));
        break;
    case Cmd::ViewFit:
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 1.5, 15, 15));
        p.setPen(QPen(kBlue, 1.3));
        p.drawPolyline(scanCurve(2, 16, 15, 12));
        break;
    case Cmd::ViewHead:
        p.setPen(QPen(kInk, 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(3.5, 1.5, 11, 15));
        for (int y = 4; y <= 14; y += 2) {
            p.drawLine(QPointF(5, y + 0.5), QPointF(8, y + 0.5));
            p.drawLine(QPointF(9, y + 0.5), QPointF(13, y + 0.5));
        }
        break;
    case Cmd::HelpTopics: {
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(255, 240, 150));
        p.drawEllipse(QRectF(1.5, 1.5, 15, 15));
        QFont f = p.font();
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(0, 0, 18, 18), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    default:
        break;
    }
}

bool hasPicture(int id)
{
    switch (id) {
    case Cmd::FileOpen: case Cmd::FileSave: case Cmd::FileSaveAs:
    case Cmd::ToolMeasure: case Cmd::ToolSelect: case Cmd::ToolDiscard:
    case Cmd::ToolRescaleX: case Cmd::ToolRescaleY:
    case Cmd::EditClip: case Cmd::EditGlue:
    case Cmd::OpCompress: case Cmd::OpSlidingMean: case Cmd::OpRemoveTrend:
    case Cmd::OpLinearCombination: case Cmd::ViewFit: case Cmd::ViewHead: case Cmd::HelpTopics:
        return true;
    default:
        return false;
    }
}

QPixmap render(int id, int scale)
{
    QPixmap pm(18 * scale, 18 * scale);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.scale(scale, scale);
    drawPicture(p, id);
    return pm;
}

// The look of a disabled button: the picture in pale grey, half see-through.
// (The style's own disabled form keeps dark ink nearly as dark as it was,
// so a greyed button was hard to tell from a live one.)
QPixmap faded(const QPixmap& pm)
{
    QImage image = pm.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 150 + qGray(line[x]) * 90 / 255;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 55 / 100);
        }
    }
    return QPixmap::fromImage(image);
}

}  // namespace

namespace ToolbarIcons {

QIcon icon(int commandId)
{
    if (!hasPicture(commandId))
        return {};
    QIcon result;
    for (int scale : {1, 2}) {
        const QPixmap pm = render(commandId, scale);
        result.addPixmap(pm);
        result.addPixmap(faded(pm), QIcon::Disabled);
    }
    return result;
}

QIcon appIcon()
{
    QIcon result;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(QPen(QColor(30, 40, 80), 1.5));
        p.setBrush(QColor(235, 240, 255));
        p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);
        p.setPen(QPen(QColor(64, 64, 255), 2.2));
        p.drawPolyline(scanCurve(4, 28, 25, 17));
        p.setPen(QPen(QColor(255, 64, 64), 1.5));
        p.drawLine(QPointF(4, 26.5), QPointF(28, 24.5));
        p.end();
        result.addPixmap(pm);
    }
    return result;
}

}  // namespace ToolbarIcons
