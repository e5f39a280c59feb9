// SPDX-License-Identifier: MIT
// The schedule's table for QTableView: one row per year, one column per
// column of the ScheduleTable, read-only. Numbers show in the user's locale
// with its thousands separators; the same cells give the CSV text.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QModelIndex>
#include <QString>

#include "schedule/schedule_table.h"

namespace nestora {

class ScheduleModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setTable(ScheduleTable table);
    const ScheduleTable& table() const { return table_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    ScheduleTable table_;
};

// The text a cell shows: "795,766" for money in an English locale.
QString CellText(const ScheduleCell& cell);

// The cells from rows top..bottom and columns left..right as tab-separated
// lines (LF), with the column titles first when `titles` is set; a cell
// outside `selected` (when given) is left empty. A spreadsheet pastes it
// into cells.
QString TabText(const QAbstractItemModel& model, int top, int bottom, int left, int right,
                bool titles, const QModelIndexList* selected = nullptr);

// The selection's bounding block, without titles; "" for no selection.
QString SelectionTabText(const QAbstractItemModel& model, const QModelIndexList& selected);

}  // namespace nestora
