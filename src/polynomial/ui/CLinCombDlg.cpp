#include "CLinCombDlg.h"

#include "BusyCursor.h"
#include "CInputDlg.h"
#include "DialogParts.h"
#include "LinCombCoefficients.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString text8(const std::string& s) { return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

CLinCombDlg::CLinCombDlg(LinCombCoefficients& rows, QWidget* parent) : QDialog(parent), rows_(rows)
{
    setWindowTitle(QStringLiteral("Linear Combination"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Coefficient")});
    list_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->setColumnWidth(0, 100);
    list_->setColumnWidth(1, 100);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int j = 0; j < rows.Count(); ++j)
        new QTreeWidgetItem(list_, {text8(rows.Name(j)), QString()});
    if (rows.Count() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CLinCombDlg::editSelected);
    // The keyboard's way to the same edit: Enter is the dialog's OK.
    auto* edit = new QAction(list_);
    edit->setShortcut(Qt::Key_F2);
    edit->setShortcutContext(Qt::WidgetShortcut);
    connect(edit, &QAction::triggered, this, &CLinCombDlg::editSelected);
    list_->addAction(edit);
    top->addWidget(list_);

    auto* set = new QGroupBox(QStringLiteral("Set Coefficients"), this);
    auto* column = new QVBoxLayout(set);
    const char* names[4] = {"Average", "Best Fit", "Sum", "Subtraction"};
    for (int k = 0; k < 4; ++k) {
        rules_[k] = new QPushButton(QString::fromLatin1(names[k]), set);
        // Enter stays OK even while a rule button has the focus (Space
        // presses it).
        rules_[k]->setAutoDefault(false);
        column->addWidget(rules_[k]);
    }
    column->addStretch();
    top->addWidget(set);
    connect(rules_[0], &QPushButton::clicked, this, [this] {
        rows_.Average();
        refresh();
    });
    connect(rules_[1], &QPushButton::clicked, this, [this] {
        {
            BusyCursor busy;  // a pass over every operand's samples
            if (!rows_.BestFit())
                return;
        }
        refresh();
    });
    connect(rules_[2], &QPushButton::clicked, this, [this] {
        rows_.Sum();
        refresh();
    });
    connect(rules_[3], &QPushButton::clicked, this, [this] {
        rows_.Subtraction();
        refresh();
    });
    rules_[3]->setEnabled(rows.SubtractionEnabled());

    DialogParts::addOkCancel(*this, *layout, false);
    refresh();
    list_->setFocus();
}

void CLinCombDlg::refresh()
{
    for (int j = 0; j < rows_.Count(); ++j)
        list_->topLevelItem(j)->setText(1, text8(rows_.Text(j)));
}

void CLinCombDlg::editSelected()
{
    for (int j = 0; j < rows_.Count(); ++j) {
        if (!list_->topLevelItem(j)->isSelected())
            continue;
        QString value = text8(rows_.Text(j));
        if (CInputDlg::Edit(QStringLiteral("Change Coefficient"), text8(rows_.EditLabel(j)), value))
            rows_.SetText(j, value.toLatin1().toStdString());
        refresh();
        return;
    }
}

bool CLinCombDlg::Edit(LinCombCoefficients& rows)
{
    CLinCombDlg dialog(rows, QApplication::activeWindow());
    return DialogParts::runModal(dialog);
}
