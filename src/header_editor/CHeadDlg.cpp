#include "CHeadDlg.h"

#include "AccessIcons.h"
#include "CHeadEntryDlg.h"
#include "CInsertEntryDlg.h"
#include "FHead.h"
#include "HeadDocument.h"
#include "HeadEditRules.h"
#include "HeadList.h"
#include "HeadText.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kIdRole = Qt::UserRole;
}

CHeadDlg::CHeadDlg(HeadDocument& doc, QWidget* parent) : QDialog(parent), doc_(doc)
{
    setWindowTitle(QStringLiteral("Head of ") + shortName());
    list_ = new HeadList(this);
    insert_ = new QPushButton(QStringLiteral("Insert"), this);
    delete_ = new QPushButton(QStringLiteral("Delete"), this);
    open_ = new QPushButton(QStringLiteral("Open"), this);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    delete_->setEnabled(false);
    open_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {insert_, delete_, open_, ok_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    const FHead& head = doc_.head();
    for (int i = 0; i < head.EntryCount(); ++i)
        appendRow(head.EntryAt(i).GetID());

    connect(list_, &HeadList::mouseClicked, this, &CHeadDlg::updateButtons);
    connect(list_, &HeadList::mouseDoubleClicked, this, [this] {
        updateButtons();
        openRow(selectedRow());
    });
    connect(list_, &HeadList::openKeyPressed, this, [this] { openRow(selectedRow()); });
    connect(list_, &HeadList::deleteKeyPressed, this, &CHeadDlg::deleteSelected);
    connect(open_, &QPushButton::clicked, this, [this] { openRow(selectedRow()); });
    connect(insert_, &QPushButton::clicked, this, &CHeadDlg::insertEntry);
    connect(delete_, &QPushButton::clicked, this, &CHeadDlg::deleteSelected);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    list_->setFocus();
    resize(460, 380);
}

QString CHeadDlg::shortName() const { return headText(doc_.shortName()); }

int CHeadDlg::rowCount() const { return list_->topLevelItemCount(); }

int CHeadDlg::selectedRow() const
{
    for (int row = 0; row < rowCount(); ++row)
        if (list_->topLevelItem(row)->isSelected())
            return row;
    return -1;
}

std::string CHeadDlg::rowId(int row) const
{
    const QTreeWidgetItem* item = list_->topLevelItem(row);
    return item ? item->data(0, kIdRole).toByteArray().toStdString() : std::string();
}

const HeadEntry* CHeadDlg::rowEntry(int row) const
{
    return row >= 0 && row < rowCount() ? doc_.head().Find(rowId(row)) : nullptr;
}

int CHeadDlg::findRow(const std::string& id) const
{
    for (int row = 0; row < rowCount(); ++row)
        if (rowId(row) == id)
            return row;
    return -1;
}

void CHeadDlg::appendRow(const std::string& id)
{
    auto* item = new QTreeWidgetItem(list_);
    item->setData(0, kIdRole, QByteArray::fromStdString(id));
    fillRow(rowCount() - 1);
}

void CHeadDlg::refreshRowValue(int row)
{
    const HeadEntry* entry = rowEntry(row);
    if (!entry)
        return;
    const QString value = headText(entry->GetValue());
    list_->topLevelItem(row)->setText(1, value);
    list_->topLevelItem(row)->setToolTip(1, value);
}

void CHeadDlg::fillRow(int row)
{
    QTreeWidgetItem* item = list_->topLevelItem(row);
    const HeadEntry* entry = rowEntry(row);
    if (!item || !entry)
        return;
    item->setText(0, headText(entry->GetID()));
    item->setIcon(0, AccessIcons::icon(AccessIcons::indexOf(entry->AccessLetter())));
    const QString description = QString::fromLatin1(entry->GetDescription());
    item->setText(2, description);
    item->setToolTip(2, description);
    refreshRowValue(row);
}

void CHeadDlg::updateButtons()
{
    const HeadEntry* entry = rowEntry(selectedRow());
    open_->setEnabled(entry != nullptr);
    delete_->setEnabled(entry != nullptr && entry->AccessLetter() != 'r');
}

void CHeadDlg::openRow(int row)
{
    if (!rowEntry(row))
        return;
    CHeadEntryDlg dlg(*this, row);
    dlg.exec();
}

void CHeadDlg::insertEntry()
{
    CInsertEntryDlg dlg(*this);
    dlg.exec();
}

void CHeadDlg::deleteSelected()
{
    const int row = selectedRow();
    const HeadEntry* entry = rowEntry(row);
    if (!entry)
        return;
    const std::string id = entry->GetID();
    if (HeadEdit::confirmDelete(id, entry->AccessLetter(), doc_.shortName()) != HeadEdit::Verdict::Go)
        return;
    QTreeWidgetItem* item = list_->takeTopLevelItem(row);
    if (!item)
        return;
    delete item;
    doc_.removeHeadEntry(id);
    updateButtons();
}
