#include "CInsertEntryDlg.h"

#include "CHeadDlg.h"
#include "HeadDocument.h"
#include "HeadEditRules.h"
#include "FHead.h"
#include "HeadList.h"
#include "HeadText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// Turns what is typed or pasted into upper case as it comes in.
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QLineEdit* groupedField(const QString& title, QVBoxLayout* layout, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* field = new QLineEdit(parent);
    (new QVBoxLayout(box))->addWidget(field);
    layout->addWidget(box);
    return field;
}

}  // namespace

CInsertEntryDlg::CInsertEntryDlg(CHeadDlg& list) : QDialog(&list), list_(list)
{
    setWindowTitle(QStringLiteral("Insert into ") + list.shortName());
    auto* layout = new QVBoxLayout(this);
    id_ = groupedField(QStringLiteral("ID"), layout, this);
    id_->setValidator(new UpperCase(id_));
    value_ = groupedField(QStringLiteral("Value"), layout, this);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    ok_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &CInsertEntryDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    id_->setFocus();
    resize(360, sizeHint().height());
}

void CInsertEntryDlg::accept()
{
    std::string idBytes, valueBytes;
    headBytes(id_->text(), idBytes);  // other characters become '?', which the ID rule refuses
    const bool latin1 = headBytes(value_->text(), valueBytes);
    const std::string id = std::string(trimHeadText(idBytes));
    const std::string value = std::string(trimHeadText(valueBytes));
    HeadEdit::InputError error = HeadEdit::checkEntry(id, value, true);
    if (!error && !latin1)
        error = {HeadEdit::Field::Value, HeadEdit::kValueNotLatin1};
    if (error) {
        HeadEdit::showInputError(error);
        (error.field == HeadEdit::Field::Id ? id_ : value_)->setFocus();
        return;
    }
    insert(id, value);
    QDialog::accept();
}

void CInsertEntryDlg::insert(const std::string& id, const std::string& value)
{
    HeadDocument& doc = list_.document();
    const int row = list_.findRow(id);
    const HeadEntry* existing = list_.rowEntry(row);
    if (!existing) {
        if (HeadEdit::insertNew(id) == HeadEdit::Verdict::Go && doc.insertHeadEntry(id, value)) {
            list_.appendRow(id);
            list_.list()->scrollToItem(list_.list()->topLevelItem(list_.rowCount() - 1));
        }
        return;
    }
    if (HeadEdit::insertExisting(id, existing->AccessLetter()) == HeadEdit::Verdict::Go &&
        doc.setHeadValue(id, value))
        list_.refreshRowValue(row);
}
