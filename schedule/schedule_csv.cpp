// SPDX-License-Identifier: MIT
#include "schedule/schedule_csv.h"

namespace nestora {

std::string ScheduleCsv(const ScheduleTable& table) {
    std::string csv;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c > 0) csv += ',';
        csv += table.columns[c].key;
    }
    csv += '\n';
    for (const auto& row : table.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) csv += ',';
            csv += row[c].text;
        }
        csv += '\n';
    }
    return csv;
}

}  // namespace nestora
