#include "CCompressDlg.h"

#include "DialogParts.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

CCompressDlg::CCompressDlg(CompressTuning& record, QWidget* parent) : QDialog(parent), record_(record)
{
    setWindowTitle(QStringLiteral("Compression tuning"));
    record.factor = std::clamp(record.factor, 0, kMaxFactor);
    auto* layout = new QVBoxLayout(this);

    auto* factorBox = new QGroupBox(QStringLiteral("Compression factor"), this);
    auto* factorRow = new QVBoxLayout(factorBox);
    factor_ = DialogParts::arrowSpin(0, kMaxFactor, record.factor, factorBox);
    factorRow->addWidget(factor_);
    layout->addWidget(factorBox);

    auto* output = new QGroupBox(QStringLiteral("Output data"), this);
    methods_ = DialogParts::radioColumn(output, {QStringLiteral("Arithmetic mean"), QStringLiteral("Median")},
                                        record.method);
    layout->addWidget(output);

    quiet_ = new QCheckBox(QStringLiteral("Quiet"), this);
    quiet_->setChecked(record.quiet);
    layout->addWidget(quiet_);
    DialogParts::addOkCancel(*this, *layout);
}

void CCompressDlg::accept()
{
    record_.factor = factor_->value();
    record_.method = DialogParts::checkedValue(methods_, record_.method);
    record_.quiet = quiet_->isChecked();
    QDialog::accept();
}

bool CCompressDlg::Edit(CompressTuning& record)
{
    CCompressDlg dialog(record, QApplication::activeWindow());
    return DialogParts::runModal(dialog);
}
