#include "CInputDlg.h"

#include "DialogParts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CInputDlg::CInputDlg(const QString& title, const QString& label, const QString& value, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(label.left(kMaxText), this);
    value_ = new QLineEdit(this);
    value_->setMaxLength(kMaxText);
    value_->setText(value);
    value_->selectAll();
    label_->setBuddy(value_);
    layout->addWidget(label_);
    layout->addWidget(value_);
    DialogParts::addOkCancel(*this, *layout);
}

bool CInputDlg::Edit(const QString& title, const QString& label, QString& value)
{
    CInputDlg dialog(title, label, value, QApplication::activeWindow());
    if (!DialogParts::runModal(dialog))
        return false;
    value = dialog.valueField()->text();
    return true;
}
