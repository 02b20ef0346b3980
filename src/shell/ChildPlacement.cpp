#include "ChildPlacement.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <algorithm>

namespace {

// The geometry a filling window was last given; while the window keeps it,
// it follows the workspace.
const char* const kFillRect = "vexilFillRect";

// Resizes the filling windows with the workspace.
class FillFollower : public QObject {
public:
    explicit FillFollower(QMdiArea* mdi) : QObject(mdi), mdi_(mdi)
    {
        setObjectName(QStringLiteral("vexilFillFollower"));
        mdi->viewport()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && watched == mdi_->viewport()) {
            const QRect area = mdi_->viewport()->rect();
            for (QMdiSubWindow* w : mdi_->subWindowList()) {
                const QVariant fill = w->property(kFillRect);
                if (!fill.isValid() || w->isMinimized() || w->isMaximized())
                    continue;
                if (w->geometry() != fill.toRect()) {
                    w->setProperty(kFillRect, QVariant());  // moved or resized since
                    continue;
                }
                w->setGeometry(area);
                w->setProperty(kFillRect, area);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QMdiArea* mdi_;
};

}  // namespace

namespace ChildPlacement {

QRect cascadeRect(const QRect& area, const QRect* last, int step)
{
    if (last == nullptr)
        return area;
    const int w = std::min(area.width(), std::max(320, area.width() * 2 / 3));
    const int h = std::min(area.height(), std::max(200, area.height() * 2 / 3));
    QRect r(last->topLeft() + QPoint(step, step), QSize(w, h));
    if (!area.contains(r))
        r.moveTopLeft(area.topLeft());
    return r;
}

void place(QMdiArea* mdi, QMdiSubWindow* frame, const QMdiSubWindow* last, const QRect& area)
{
    if (mdi->findChild<QObject*>(QStringLiteral("vexilFillFollower"), Qt::FindDirectChildrenOnly) == nullptr)
        new FillFollower(mdi);
    // One title bar further for each window, so that every title stays
    // readable.
    const int step = std::max(16, frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, frame));
    const QRect lastRect = last ? last->geometry() : QRect();
    const QRect r = cascadeRect(area, last ? &lastRect : nullptr, step);
    frame->setGeometry(r);
    if (!last)
        frame->setProperty(kFillRect, r);
}

}  // namespace ChildPlacement
