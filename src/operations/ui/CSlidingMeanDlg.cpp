#include "CSlidingMeanDlg.h"

#include "DialogParts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

CSlidingMeanDlg::CSlidingMeanDlg(SlidingMeanTuning& record, QWidget* parent) : QDialog(parent), record_(record)
{
    setWindowTitle(QStringLiteral("Sliding Mean Filter tuning"));
    auto* layout = new QVBoxLayout(this);
    // Two columns: the window and the filter on the left, the window
    // function and the ends on the right; Tab walks them in that order.
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    auto* windowBox = new QGroupBox(QStringLiteral("Window size"), this);
    auto* windowRow = new QVBoxLayout(windowBox);
    window_ = new QLineEdit(windowText(record.windowSize), windowBox);
    windowRow->addWidget(window_);
    grid->addWidget(windowBox, 0, 0);

    background_ = new QCheckBox(QStringLiteral("Remove background"), this);
    background_->setChecked(record.removeBackground);
    grid->addWidget(background_, 1, 0);

    auto* filterBox = new QGroupBox(QStringLiteral("Filter type"), this);
    filterTypes_ = DialogParts::radioColumn(filterBox, {QStringLiteral("Arithmetic mean"), QStringLiteral("Median")},
                                            record.filterType);
    grid->addWidget(filterBox, 2, 0);

    auto* functionBox = new QGroupBox(QStringLiteral("Window function"), this);
    functions_ = DialogParts::radioColumn(
        functionBox, {QStringLiteral("Rectangular"), QStringLiteral("Parabolic"), QStringLiteral("Gaussian")},
        record.windowFunction);
    grid->addWidget(functionBox, 0, 1, 2, 1);

    auto* boundaryBox = new QGroupBox(QStringLiteral("Boundary effects"), this);
    boundaries_ = DialogParts::radioColumn(
        boundaryBox, {QStringLiteral("Leave unchanged"), QStringLiteral("Cut"), QStringLiteral("Flatten")},
        record.boundaryMode);
    grid->addWidget(boundaryBox, 2, 1);

    quiet_ = new QCheckBox(QStringLiteral("Quiet"), this);
    quiet_->setChecked(record.quiet);
    layout->addWidget(quiet_);
    DialogParts::addOkCancel(*this, *layout);
}

QString CSlidingMeanDlg::windowText(double size)
{
    if (!(size > 0))
        return QString();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.5g", size);
    return QString::fromLatin1(buf);
}

double CSlidingMeanDlg::windowValue(const QString& text) { return std::atof(text.toLatin1().constData()); }

void CSlidingMeanDlg::accept()
{
    record_.windowSize = windowValue(window_->text());
    record_.removeBackground = background_->isChecked();
    record_.filterType = DialogParts::checkedValue(filterTypes_, record_.filterType);
    record_.windowFunction = DialogParts::checkedValue(functions_, record_.windowFunction);
    record_.boundaryMode = DialogParts::checkedValue(boundaries_, record_.boundaryMode);
    record_.quiet = quiet_->isChecked();
    QDialog::accept();
}

bool CSlidingMeanDlg::Edit(SlidingMeanTuning& record)
{
    CSlidingMeanDlg dialog(record, QApplication::activeWindow());
    return DialogParts::runModal(dialog);
}
