// SPDX-License-Identifier: MIT
// The Year by Year table as the user reads it: numbers in the user's locale,
// right-aligned, while the cells keep the texts the CSV file writes.
#include <gtest/gtest.h>

#include <QLocale>
#include <array>

#include "schedule/schedule_table.h"
#include "ui/year_by_year/schedule_model.h"

namespace nestora::testing {
namespace {

class LocaleAs {
  public:
    explicit LocaleAs(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleAs() { QLocale::setDefault(saved_); }
    LocaleAs(const LocaleAs&) = delete;
    LocaleAs& operator=(const LocaleAs&) = delete;

  private:
    QLocale saved_;
};

TEST(ScheduleModelTest, ShowsNumbersInTheUsersLocaleAndKeepsTheFileTexts) {
    const LocaleAs german(QLocale(QLocale::German, QLocale::Germany));
    ScheduleTable table;
    table.columns = {
        {"year", "Year"}, {"phase", "Phase"}, {"balance", "Balance"}, {"funded", "Funded share"}};
    table.rows = {
        {CountCell(12), LabelCell("saving", "Saving"), MoneyCell(1234567.0L), ShareCell("0.8412")}};
    ScheduleModel model;
    model.setTable(table);

    struct Shown {
        const char* text;
        const char* file;
        Qt::Alignment alignment;
    };
    const std::array<Shown, 4> shown = {{
        {"12", "12", Qt::AlignRight | Qt::AlignVCenter},
        {"Saving", "saving", Qt::AlignLeft | Qt::AlignVCenter},
        {"1.234.567", "1234567", Qt::AlignRight | Qt::AlignVCenter},
        {"0,8412", "0.8412", Qt::AlignRight | Qt::AlignVCenter},
    }};
    for (int c = 0; c < 4; ++c) {
        const Shown& want = shown[static_cast<std::size_t>(c)];
        const QModelIndex index = model.index(0, c);
        EXPECT_EQ(model.data(index).toString(), want.text) << "column " << c;
        EXPECT_EQ(model.data(index, Qt::TextAlignmentRole).value<Qt::Alignment>(), want.alignment)
            << "column " << c;
        EXPECT_EQ(model.table().rows[0][static_cast<std::size_t>(c)].text, want.file)
            << "column " << c;
    }
}

}  // namespace
}  // namespace nestora::testing
