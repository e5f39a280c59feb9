// SPDX-License-Identifier: MIT
// "Your plan" as typed: the texts read into a LifePlan, every kind of bad
// entry named in one sentence, and a plan written back as texts reads as
// itself.
#include <gtest/gtest.h>

#include <string>

#include "schedule/life_plan_texts.h"

namespace nestora {
namespace {

LifePlanTexts WithAge(std::string age) {
    LifePlanTexts texts;
    texts.age = std::move(age);
    return texts;
}

TEST(LifePlanTexts, EmptyTextsAreTheNeutralPlan) {
    const LifePlanReading reading = ReadLifePlanTexts({}, '.');
    EXPECT_EQ(reading.problem, "");
    EXPECT_FALSE(ChangesMoney(reading.life));
    EXPECT_FALSE(reading.life.ageNow.has_value());
    // A growth of 0 typed out is neutral too.
    LifePlanTexts zero;
    zero.growth = "0";
    EXPECT_FALSE(ChangesMoney(ReadLifePlanTexts(zero, '.').life));
}

TEST(LifePlanTexts, ReadsEveryInputAndAgesAsYears) {
    LifePlanTexts texts = WithAge(" 45 ");
    texts.growth = "2,5";
    texts.spend = "40000";
    texts.rule = SpendingRule::Guardrails;
    texts.incomes = {
        {.name = "State pension", .amount = "12000", .from = "a67", .to = "", .indexed = true},
        {.name = "Rent", .amount = "6000,5", .from = "3", .to = "a80", .indexed = false}};
    texts.oneOffs = {{.amount = "-15000", .at = "A70"}, {.amount = "200000", .at = "12"}};
    const LifePlanReading reading = ReadLifePlanTexts(texts, ',');
    ASSERT_EQ(reading.problem, "");
    const LifePlan& life = reading.life;
    EXPECT_EQ(life.ageNow, 45);
    EXPECT_EQ(life.savingGrowth, fp::div(Extended(25), Extended(1000)));
    EXPECT_EQ(life.spendToday, Extended(40000));
    EXPECT_EQ(life.rule, SpendingRule::Guardrails);
    ASSERT_EQ(life.incomes.size(), 2U);
    EXPECT_EQ(life.incomes[0].name, "State pension");
    EXPECT_EQ(life.incomes[0].firstYear, 22);
    EXPECT_FALSE(life.incomes[0].lastYear.has_value());
    EXPECT_TRUE(life.incomes[0].indexed);
    EXPECT_EQ(life.incomes[1].amountToday, fp::div(Extended(60005), Extended(10)));
    EXPECT_EQ(life.incomes[1].lastYear, 35);
    EXPECT_FALSE(life.incomes[1].indexed);
    ASSERT_EQ(life.oneOffs.size(), 2U);
    EXPECT_EQ(life.oneOffs[0].amountToday, Extended(-15000));
    EXPECT_EQ(life.oneOffs[0].year, 25);
    EXPECT_EQ(life.oneOffs[1].year, 12);
}

TEST(LifePlanTexts, EachBadEntryIsNamed) {
    struct Case {
        LifePlanTexts texts;
        std::string problem;
    };
    const auto income = [](std::string amount, std::string from, std::string to) {
        LifePlanTexts texts = WithAge("60");
        texts.incomes = {{.name = "ok", .amount = "1", .from = "1", .to = "", .indexed = true},
                         {.name = "x",
                          .amount = std::move(amount),
                          .from = std::move(from),
                          .to = std::move(to),
                          .indexed = true}};
        return texts;
    };
    LifePlanTexts growth;
    growth.growth = "51";
    LifePlanTexts spend;
    spend.spend = "-1";
    LifePlanTexts lump;
    lump.oneOffs = {{.amount = "1e5000", .at = "1"}};
    LifePlanTexts ageWithout;
    ageWithout.oneOffs = {{.amount = "5", .at = "a70"}};
    const Case cases[] = {
        {WithAge("14"), "The age must lie between 15 and 100."},
        {WithAge("4x"), "Age now: \"4x\" is not a whole number of years."},
        {growth, "The saving growth must lie between -20 and 50 %."},
        {spend, "The spending must be a sum of 0 or more."},
        {income("", "1", ""), "Income 2, amount: \"\" is not a number."},
        {income("1", "soon", ""),
         "Income 2, from: \"soon\" is not a year (1, 2, …) or an age (a67)."},
        {income("1", "a50", ""), "Income 2, from: age 50 is not after your age now (60)."},
        {income("1", "5", "3"), "An income's last year must lie between its first year and 1000."},
        {income("1", "1001", ""), "An income's first year must lie between 1 and 1000."},
        {income("-3", "1", ""), "An income must be a sum of 0 or more."},
        {lump, "One-off sum 1, amount: \"1e5000\" is not a number."},
        {ageWithout, "One-off sum 1, year: an age (a70) needs your age now."},
    };
    for (const Case& c : cases) {
        const LifePlanReading reading = ReadLifePlanTexts(c.texts, '.');
        EXPECT_EQ(reading.problem, c.problem);
        EXPECT_FALSE(ChangesMoney(reading.life)) << c.problem;
    }
}

TEST(LifePlanTexts, APlanWrittenAsTextsReadsAsItself) {
    LifePlan life;
    life.ageNow = 52;
    life.savingGrowth = fp::div(Extended(3), Extended(100));
    life.spendToday = Extended(31000.5);
    life.rule = SpendingRule::Percent;
    life.incomes = {
        {.name = "Pension", .amountToday = 9000, .firstYear = 4, .lastYear = 30, .indexed = false}};
    life.oneOffs = {{.amountToday = -2500, .year = 7}};
    for (const char separator : {'.', ','}) {
        const LifePlanTexts texts = TextsOfLifePlan(life, separator);
        const LifePlanReading back = ReadLifePlanTexts(texts, separator);
        ASSERT_EQ(back.problem, "");
        EXPECT_EQ(back.life.ageNow, life.ageNow);
        EXPECT_EQ(back.life.savingGrowth, life.savingGrowth);
        EXPECT_EQ(back.life.spendToday, life.spendToday);
        EXPECT_EQ(back.life.rule, life.rule);
        EXPECT_EQ(back.life.incomes[0].lastYear, 30);
        EXPECT_FALSE(back.life.incomes[0].indexed);
        EXPECT_EQ(back.life.oneOffs[0].amountToday, Extended(-2500));
        EXPECT_EQ(TextsOfLifePlan(back.life, separator), texts);
    }
    EXPECT_EQ(TextsOfLifePlan(life, ',').spend, "31000,5");
}

}  // namespace
}  // namespace nestora
