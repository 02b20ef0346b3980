#include "HeadList.h"

#include <QHeaderView>
#include <QKeyEvent>

HeadList::HeadList(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("ID"), QStringLiteral("Value"), QStringLiteral("Description")});
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setIconSize(QSize(16, 16));
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header()->resizeSection(0, 100);
    header()->resizeSection(1, 100);
    header()->resizeSection(2, 200);
}

void HeadList::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    emit mouseClicked();
}

void HeadList::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    emit mouseDoubleClicked();
}

void HeadList::keyPressEvent(QKeyEvent* event)
{
    // Taken here so that Enter opens the entry instead of closing the dialog.
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            emit openKeyPressed();
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            emit deleteKeyPressed();
            return;
        }
    }
    QTreeWidget::keyPressEvent(event);
}
