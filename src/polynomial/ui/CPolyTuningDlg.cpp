#include "CPolyTuningDlg.h"

#include "DialogParts.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

CPolyTuningDlg::CPolyTuningDlg(const char* title, PolyTuning& record, QWidget* parent)
    : QDialog(parent), record_(record)
{
    setWindowTitle(QString::fromLatin1(title));
    record.power = ClampPolyPower(record.power);
    auto* layout = new QVBoxLayout(this);

    auto* fitting = new QGroupBox(QStringLiteral("Fitting parameters"), this);
    auto* row = new QHBoxLayout(fitting);
    auto* label = new QLabel(QStringLiteral("Power"), fitting);
    power_ = DialogParts::arrowSpin(0, 9, record.power, fitting);
    label->setBuddy(power_);
    row->addWidget(label);
    row->addWidget(power_);
    layout->addWidget(fitting);

    quiet_ = new QCheckBox(QStringLiteral("Quiet"), this);
    quiet_->setChecked(record.quiet);
    layout->addWidget(quiet_);
    DialogParts::addOkCancel(*this, *layout);
}

void CPolyTuningDlg::accept()
{
    record_.power = power_->value();
    record_.quiet = quiet_->isChecked();
    QDialog::accept();
}

bool CPolyTuningDlg::Edit(const char* title, PolyTuning& record)
{
    CPolyTuningDlg dialog(title, record, QApplication::activeWindow());
    return DialogParts::runModal(dialog);
}
