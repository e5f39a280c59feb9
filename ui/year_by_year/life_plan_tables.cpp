// SPDX-License-Identifier: MIT
#include "ui/year_by_year/life_plan_tables.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nestora {

EditTable::EditTable(const QString& name, const QStringList& headers, const QStringList& tips,
                     int tickColumn, QWidget* parent)
    : QWidget(parent),
      table_(new QTableWidget(0, static_cast<int>(headers.size()))),
      add_(new QPushButton("Add")),
      remove_(new QPushButton("Remove")),
      tickColumn_(tickColumn) {
    table_->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < headers.size(); ++c)
        table_->horizontalHeaderItem(c)->setToolTip(tips.value(c));
    table_->setAccessibleName(name);
    table_->setToolTip(tips.join('\n'));
    // Compact, so that the chart and the schedule keep their room: one line
    // a row, the first column taking what the others leave.
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->setWordWrap(false);
    QHeaderView& header = *table_->horizontalHeader();
    header.setSectionResizeMode(QHeaderView::ResizeToContents);
    header.setSectionResizeMode(0, QHeaderView::Stretch);
    // Narrower than its columns, it scrolls: the window may stay narrow.
    table_->setMinimumWidth(table_->fontMetrics().horizontalAdvance('0') * 12);
    table_->setTabKeyNavigation(false);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Typing or F2 edits the current cell; reaching the table by Tab does not,
    // so that Tab goes on to its buttons (Enter or Escape ends an edit).
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    add_->setAccessibleName("Add to " + name);
    remove_->setAccessibleName("Remove from " + name);
    remove_->setEnabled(false);

    // The buttons beside the table, so that the part stays low.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(remove_);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    connect(add_, &QPushButton::clicked, this, &EditTable::addAsked);
    connect(remove_, &QPushButton::clicked, this, &EditTable::removeCurrentRow);
    connect(table_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_) emit edited();
    });
}

void EditTable::putRow(int row, const QStringList& texts) {
    for (int c = 0; c < table_->columnCount(); ++c) {
        auto* item = new QTableWidgetItem;
        if (c == tickColumn_) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(texts.value(c) == "1" ? Qt::Checked : Qt::Unchecked);
        } else {
            item->setText(texts.value(c));
        }
        table_->setItem(row, c, item);
    }
}

std::vector<QStringList> EditTable::rows() const {
    std::vector<QStringList> rows;
    for (int r = 0; r < table_->rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < table_->columnCount(); ++c) {
            const QTableWidgetItem* item = table_->item(r, c);
            if (c == tickColumn_)
                texts << (item != nullptr && item->checkState() == Qt::Checked ? "1" : "0");
            else
                texts << (item != nullptr ? item->text() : QString());
        }
        rows.push_back(texts);
    }
    return rows;
}

void EditTable::setRows(const std::vector<QStringList>& rows) {
    filling_ = true;
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) putRow(static_cast<int>(r), rows[r]);
    filling_ = false;
    remove_->setEnabled(!rows.empty());
}

// The new row's first cell is current, so that typing fills it.
void EditTable::addRow(const QStringList& row) {
    const int r = table_->rowCount();
    filling_ = true;
    table_->insertRow(r);
    putRow(r, row);
    filling_ = false;
    remove_->setEnabled(true);
    table_->setCurrentCell(r, 0);
    table_->setFocus();
    emit edited();
}

void EditTable::removeCurrentRow() {
    const int r = table_->currentRow() >= 0 ? table_->currentRow() : table_->rowCount() - 1;
    if (r < 0) return;
    table_->removeRow(r);
    remove_->setEnabled(table_->rowCount() > 0);
    emit edited();
}

std::vector<QStringList> IncomeRows(const std::vector<IncomeTexts>& incomes) {
    std::vector<QStringList> rows;
    for (const IncomeTexts& income : incomes)
        rows.push_back({QString::fromStdString(income.name), QString::fromStdString(income.amount),
                        QString::fromStdString(income.from), QString::fromStdString(income.to),
                        income.indexed ? "1" : "0"});
    return rows;
}

std::vector<IncomeTexts> IncomesOf(const std::vector<QStringList>& rows) {
    std::vector<IncomeTexts> incomes;
    for (const QStringList& row : rows)
        incomes.push_back({.name = row.value(0).toStdString(),
                           .amount = row.value(1).toStdString(),
                           .from = row.value(2).toStdString(),
                           .to = row.value(3).toStdString(),
                           .indexed = row.value(4) == "1"});
    return incomes;
}

std::vector<QStringList> OneOffRows(const std::vector<OneOffTexts>& sums) {
    std::vector<QStringList> rows;
    for (const OneOffTexts& sum : sums)
        rows.push_back({QString::fromStdString(sum.amount), QString::fromStdString(sum.at)});
    return rows;
}

std::vector<OneOffTexts> OneOffsOf(const std::vector<QStringList>& rows) {
    std::vector<OneOffTexts> sums;
    for (const QStringList& row : rows)
        sums.push_back({.amount = row.value(0).toStdString(), .at = row.value(1).toStdString()});
    return sums;
}

}  // namespace nestora
