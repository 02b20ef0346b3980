#include "QtProgressHook.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProgressDialog>

QtProgressHook::QtProgressHook() = default;

QtProgressHook::~QtProgressHook() = default;

void QtProgressHook::begin(const std::string& label)
{
    label_ = QString::fromStdString(label);
    // The clock starts with the first report: a tuning dialog shown before
    // the computation does not count.
    running_.invalidate();
    dialog_.reset();
}

void QtProgressHook::show()
{
    dialog_ = std::make_unique<QProgressDialog>(label_ + QStringLiteral("\u2026"), QStringLiteral("Cancel"), 0, 1000,
                                                QApplication::activeWindow());
    dialog_->setWindowTitle(QStringLiteral("Vexil"));
    // Modal: nothing else may start while the computation runs, and
    // setValue() then lets the dialog see the Cancel click.
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->show();
    // The computation's wait cursor would hide that Cancel can be clicked.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
}

bool QtProgressHook::update(double fraction)
{
    if (!running_.isValid())
        running_.start();
    if (!dialog_) {
        if (running_.elapsed() < kDelayMs)
            return true;
        show();
    }
    dialog_->setValue(static_cast<int>(fraction * 1000.0));
    QCoreApplication::processEvents();
    return !dialog_->wasCanceled();
}

void QtProgressHook::end()
{
    if (!dialog_)
        return;
    QGuiApplication::restoreOverrideCursor();
    dialog_.reset();
}
