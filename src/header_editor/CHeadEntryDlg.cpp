#include "CHeadEntryDlg.h"

#include "CHeadDlg.h"
#include "HeadDocument.h"
#include "HeadEditRules.h"
#include "FHead.h"
#include "HeadText.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A read-only field shows the dialog's background, so that the value field
// visibly changes when it becomes editable.
void setReadOnly(QLineEdit* field, bool readOnly)
{
    field->setReadOnly(readOnly);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QApplication::palette(field).color(readOnly ? QPalette::Window : QPalette::Base));
    field->setPalette(palette);
}

QLineEdit* readOnlyField(const QString& text, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    setReadOnly(field, true);
    // Reachable by mouse for copying, kept out of the Tab round.
    field->setFocusPolicy(Qt::ClickFocus);
    return field;
}

}  // namespace

CHeadEntryDlg::CHeadEntryDlg(CHeadDlg& list, int row) : QDialog(&list), list_(list), row_(row)
{
    const HeadEntry* entry = list.rowEntry(row);
    id_ = entry ? entry->GetID() : list.rowId(row);
    access_ = entry ? entry->AccessLetter() : '\0';
    setWindowTitle(headText(id_) + QStringLiteral("  in ") + list.shortName());

    auto* properties = new QGroupBox(QStringLiteral("Properties"), this);
    type_ = readOnlyField(QString::fromLatin1(HeadEdit::typeWord(entry ? entry->TypeLetter() : '\0')), this);
    class_ = readOnlyField(QString::fromLatin1(HeadEdit::classWord(entry ? entry->ClassLetter() : '\0')), this);
    accessWord_ = readOnlyField(QString::fromLatin1(HeadEdit::accessWord(access_)), this);
    auto* form = new QFormLayout(properties);
    form->addRow(QStringLiteral("Type:"), type_);
    form->addRow(QStringLiteral("Class:"), class_);
    form->addRow(QStringLiteral("Access:"), accessWord_);

    auto* descriptionBox = new QGroupBox(QStringLiteral("Description"), this);
    description_ = readOnlyField(QString::fromLatin1(entry ? entry->GetDescription() : ""), this);
    (new QVBoxLayout(descriptionBox))->addWidget(description_);

    auto* valueBox = new QGroupBox(QStringLiteral("Value"), this);
    value_ = new QLineEdit(entry ? headText(entry->GetValue()) : QString(), this);
    setReadOnly(value_, true);
    (new QVBoxLayout(valueBox))->addWidget(value_);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    edit_ = new QPushButton(QStringLiteral("Edit value"), this);
    ok_->setDefault(true);
    edit_->setEnabled(entry && access_ != 'r');
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {ok_, cancel_, edit_})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(properties);
    layout->addWidget(descriptionBox);
    layout->addWidget(valueBox);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &CHeadEntryDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(edit_, &QPushButton::clicked, this, &CHeadEntryDlg::editValue);
    ok_->setFocus();
    resize(420, sizeHint().height());
}

void CHeadEntryDlg::editValue()
{
    if (HeadEdit::beginEdit(id_, access_) != HeadEdit::Verdict::Go)
        return;
    edit_->setEnabled(false);
    setReadOnly(value_, false);
    value_->setFocus();
    editing_ = true;
}

void CHeadEntryDlg::accept()
{
    if (editing_ && value_->isModified()) {
        std::string bytes;
        const bool latin1 = headBytes(value_->text(), bytes);
        const std::string value = std::string(trimHeadText(bytes));
        HeadEdit::InputError error = HeadEdit::checkValue(id_, value);
        if (!error && !latin1)
            error = {HeadEdit::Field::Value, HeadEdit::kValueNotLatin1};
        if (error) {
            HeadEdit::showInputError(error);
            value_->setFocus();
            return;
        }
        if (HeadEdit::finishEdit(id_, access_) == HeadEdit::Verdict::Go) {
            list_.document().setHeadValue(id_, value);
            list_.refreshRowValue(row_);
        }
    }
    QDialog::accept();
}
