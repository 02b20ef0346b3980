#include "Screenshot.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>

Screenshot::Screenshot(QWidget* window, const QString& path) : QObject(window), window_(window), path_(path)
{
    window_->installEventFilter(this);
}

bool Screenshot::save(QWidget* window, const QString& path)
{
    const QPixmap picture = window->grab();
    return !picture.isNull() && picture.save(path, "PNG");
}

bool Screenshot::eventFilter(QObject* watched, QEvent* event)
{
    if (armed_ && watched == window_ && event->type() == QEvent::Paint) {
        armed_ = false;
        // Let the whole window, views included, finish this paint first.
        QTimer::singleShot(0, this, &Screenshot::take);
    }
    return QObject::eventFilter(watched, event);
}

void Screenshot::take()
{
    const bool ok = save(window_, path_);
    if (!ok)
        std::fprintf(stderr, "vexil: cannot write %s\n", path_.toLocal8Bit().constData());
    QApplication::exit(ok ? 0 : 1);
}
