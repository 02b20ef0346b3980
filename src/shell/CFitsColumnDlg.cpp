#include "CFitsColumnDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

namespace {

QString text8(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

QString columnText(const FitsColumnInfo& c)
{
    return c.unit.empty() ? text8(c.name) : text8(c.name) + QStringLiteral(" (") + text8(c.unit) + QLatin1Char(')');
}

}  // namespace

CFitsColumnDlg::CFitsColumnDlg(const std::vector<FitsHduInfo>& tables, QWidget* parent)
    : QDialog(parent), tables_(tables)
{
    setWindowTitle(QStringLiteral("FITS Table Column"));
    auto* form = new QFormLayout(this);
    form->addRow(new QLabel(QStringLiteral("The file holds no one-dimensional image. Read a table column:")));
    hdu_ = new QComboBox(this);
    for (const FitsHduInfo& t : tables_)
        hdu_->addItem(QStringLiteral("HDU %1 %2 (%3 rows)").arg(t.index).arg(text8(t.extname)).arg(t.rows).simplified());
    y_ = new QComboBox(this);
    x_ = new QComboBox(this);
    form->addRow(QStringLiteral("&Table:"), hdu_);
    form->addRow(QStringLiteral("&Samples (Y):"), y_);
    form->addRow(QStringLiteral("&X:"), x_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(hdu_, &QComboBox::currentIndexChanged, this, &CFitsColumnDlg::fillColumns);
    fillColumns();
}

void CFitsColumnDlg::fillColumns()
{
    const int k = hdu_->currentIndex();
    y_->clear();
    x_->clear();
    x_->addItem(QStringLiteral("Row index"), QString());
    if (k < 0)
        return;
    const FitsHduInfo& t = tables_[static_cast<std::size_t>(k)];
    for (const FitsColumnInfo& c : t.columns) {
        y_->addItem(columnText(c), text8(c.name));
        x_->addItem(columnText(c), text8(c.name));
    }
    const FitsChoice pre = preselection(t);
    y_->setCurrentIndex(y_->findData(text8(pre.column)));
    x_->setCurrentIndex(x_->findData(text8(pre.xColumn)));
}

int CFitsColumnDlg::hdu() const
{
    const int k = hdu_->currentIndex();
    return k < 0 ? -1 : tables_[static_cast<std::size_t>(k)].index;
}

FitsChoice CFitsColumnDlg::choice() const
{
    return {y_->currentData().toString().toLatin1().toStdString(), x_->currentData().toString().toLatin1().toStdString()};
}

FitsChoice CFitsColumnDlg::preselection(const FitsHduInfo& table)
{
    FitsChoice c;
    for (const FitsColumnInfo& col : table.columns) {
        if (col.time && c.xColumn.empty())
            c.xColumn = col.name;
        if (!col.time && c.column.empty())
            c.column = col.name;
    }
    if (c.column.empty() && !table.columns.empty())
        c.column = table.columns.front().name;
    if (c.xColumn == c.column)
        c.xColumn.clear();
    return c;
}

bool CFitsColumnDlg::ask(const std::vector<FitsHduInfo>& tables, int& hdu, FitsChoice& choice)
{
    CFitsColumnDlg dlg(tables, QApplication::activeWindow());
    if (dlg.exec() != QDialog::Accepted)
        return false;
    hdu = dlg.hdu();
    choice = dlg.choice();
    return true;
}
