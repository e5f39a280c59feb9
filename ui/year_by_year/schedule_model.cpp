// SPDX-License-Identifier: MIT
#include "ui/year_by_year/schedule_model.h"

#include <QLocale>
#include <algorithm>
#include <utility>

namespace nestora {

QString CellText(const ScheduleCell& cell) {
    switch (cell.kind) {
        case ScheduleCell::Kind::Count:
            return QString::number(static_cast<qlonglong>(cell.number));
        case ScheduleCell::Kind::Label:
            return QString::fromStdString(cell.label);
        case ScheduleCell::Kind::Money:
            return QLocale().toString(cell.number, 'f', 0);
        case ScheduleCell::Kind::Share:
            return QString::fromStdString(cell.text).replace('.', QLocale().decimalPoint());
    }
    return {};
}

void ScheduleModel::setTable(ScheduleTable table) {
    beginResetModel();
    table_ = std::move(table);
    endResetModel();
}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns.size());
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const ScheduleCell& cell =
        table_
            .rows[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
            return CellText(cell);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(cell.kind == ScheduleCell::Kind::Label
                                           ? Qt::AlignLeft | Qt::AlignVCenter
                                           : Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section < 0 || section >= columnCount()) return {};
    return QString::fromStdString(table_.columns[static_cast<std::size_t>(section)].title);
}

QString TabText(const QAbstractItemModel& model, int top, int bottom, int left, int right,
                bool titles, const QModelIndexList* selected) {
    QString text;
    if (titles) {
        for (int c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            text += model.headerData(c, Qt::Horizontal).toString();
        }
        text += '\n';
    }
    for (int r = top; r <= bottom; ++r) {
        for (int c = left; c <= right; ++c) {
            if (c > left) text += '\t';
            const QModelIndex index = model.index(r, c);
            if (selected == nullptr || selected->contains(index))
                text += model.data(index).toString();
        }
        text += '\n';
    }
    return text;
}

QString SelectionTabText(const QAbstractItemModel& model, const QModelIndexList& selected) {
    if (selected.isEmpty()) return {};
    int top = selected.front().row(), bottom = top;
    int left = selected.front().column(), right = left;
    for (const QModelIndex& index : selected) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    return TabText(model, top, bottom, left, right, false, &selected);
}

}  // namespace nestora
