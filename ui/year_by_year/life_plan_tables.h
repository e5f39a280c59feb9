// SPDX-License-Identifier: MIT
// The small tables of "Your plan": the other income streams and the one-off
// sums, one row each, edited in place with an Add and a Remove button below.
// Arrows move between cells, typing or F2 edits one, Space ticks a tick
// box; Tab leaves the table for its buttons.
#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

#include "schedule/life_plan_texts.h"

class QPushButton;
class QTableWidget;

namespace nestora {

class EditTable : public QWidget {
    Q_OBJECT
  public:
    // `tips` explains each column in one line; the column `tickColumn` (−1:
    // none) holds a tick box instead of text. `row` is what Add puts in.
    EditTable(const QString& name, const QStringList& headers, const QStringList& tips,
              int tickColumn, QWidget* parent = nullptr);

    // The rows' texts, a tick box's as "1" or "0".
    std::vector<QStringList> rows() const;
    void setRows(const std::vector<QStringList>& rows);
    void addRow(const QStringList& row);
    void removeCurrentRow();

    QTableWidget& table() const { return *table_; }
    QPushButton& addButton() const { return *add_; }
    QPushButton& removeButton() const { return *remove_; }

  signals:
    void edited();
    void addAsked();

  private:
    void putRow(int row, const QStringList& texts);

    QTableWidget* table_;
    QPushButton* add_;
    QPushButton* remove_;
    int tickColumn_;
    bool filling_ = false;
};

// The rows of the two tables and back.
std::vector<QStringList> IncomeRows(const std::vector<IncomeTexts>& incomes);
std::vector<IncomeTexts> IncomesOf(const std::vector<QStringList>& rows);
std::vector<QStringList> OneOffRows(const std::vector<OneOffTexts>& sums);
std::vector<OneOffTexts> OneOffsOf(const std::vector<QStringList>& rows);

}  // namespace nestora
