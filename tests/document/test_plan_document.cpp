// SPDX-License-Identifier: MIT
// Plan documents: every field through a save and an open, the text a plain
// plan writes, and damaged or newer documents each refused with a message
// that names the file and the line or the key.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/plan_document.h"
#include "support/scratch_folder.h"

namespace nestora::testing {
namespace {

// A document in which no field keeps its default.
PlanDocument EveryFieldSet() {
    PlanDocument document;
    document.fields = {"123456.78", "9000", "6.25", "2.1", "4.5", "17"};
    LifePlan& life = document.life;
    life.ageNow = 48;
    life.savingGrowth = fp::div(Extended(2.5L), 100);
    life.spendToday = Extended(30000.1L);
    life.rule = SpendingRule::Guardrails;
    life.incomes = {
        {"State pension \"A\" – Rente, é\t", Extended(14400.55L), 20, std::nullopt, true},
        {"Company pension", Extended(6000), 18, 40, false}};
    life.oneOffs = {{Extended(-25000), 5}, {Extended(180000.5L), 30}};
    document.markets = PlanMarkets::History;
    document.volatilityPercent = 15.5;
    document.horizon = 35;
    document.paths = 2500;
    document.seed = MaxDocumentSeed;
    document.stockPercent = 72.5;
    document.solveFor = SolveFor::Retire;
    document.successPercent = 95;
    return document;
}

void ExpectSameLife(const LifePlan& read, const LifePlan& written) {
    EXPECT_EQ(read.ageNow, written.ageNow);
    EXPECT_EQ(read.savingGrowth, written.savingGrowth);
    EXPECT_EQ(read.spendToday, written.spendToday);
    EXPECT_EQ(read.rule, written.rule);
    ASSERT_EQ(read.incomes.size(), written.incomes.size());
    for (std::size_t k = 0; k < read.incomes.size(); ++k) {
        EXPECT_EQ(read.incomes[k].name, written.incomes[k].name);
        EXPECT_EQ(read.incomes[k].amountToday, written.incomes[k].amountToday);
        EXPECT_EQ(read.incomes[k].firstYear, written.incomes[k].firstYear);
        EXPECT_EQ(read.incomes[k].lastYear, written.incomes[k].lastYear);
        EXPECT_EQ(read.incomes[k].indexed, written.incomes[k].indexed);
    }
    ASSERT_EQ(read.oneOffs.size(), written.oneOffs.size());
    for (std::size_t k = 0; k < read.oneOffs.size(); ++k) {
        EXPECT_EQ(read.oneOffs[k].amountToday, written.oneOffs[k].amountToday);
        EXPECT_EQ(read.oneOffs[k].year, written.oneOffs[k].year);
    }
}

void ExpectSameDocument(const PlanDocument& read, const PlanDocument& written) {
    EXPECT_EQ(read.fields, written.fields);
    ExpectSameLife(read.life, written.life);
    EXPECT_EQ(read.markets, written.markets);
    EXPECT_EQ(read.volatilityPercent, written.volatilityPercent);
    EXPECT_EQ(read.horizon, written.horizon);
    EXPECT_EQ(read.paths, written.paths);
    EXPECT_EQ(read.seed, written.seed);
    EXPECT_EQ(read.stockPercent, written.stockPercent);
    EXPECT_EQ(read.solveFor, written.solveFor);
    EXPECT_EQ(read.successPercent, written.successPercent);
}

TEST(PlanDocument, EveryFieldComesBackFromTheFileAndIsWrittenAgainTheSame) {
    ScratchFolder folder;
    const std::string path = folder.file("plan.nestora");
    const PlanDocument written = EveryFieldSet();
    ASSERT_EQ(WritePlanDocument(written, path), 0);

    const PlanDocumentRead read = ReadPlanDocument(path);
    ASSERT_TRUE(read.document) << read.error;
    ExpectSameDocument(*read.document, written);
    EXPECT_EQ(PlanDocumentBytes(*read.document), ScratchFolder::read(path));
}

TEST(PlanDocument, APlainPlanIsWrittenInItsOrderAndOnlyThePlanIsNeededToReadIt) {
    const std::string expected = R"({
  "format": "nestora-plan",
  "version": 1,
  "plan": {
    "current_savings": "50000",
    "annual_savings": "10000",
    "return_percent": "8.5",
    "inflation_percent": "3.0",
    "draw_percent": "6.0",
    "years_to_retirement": "25"
  },
  "life": {
    "age": null,
    "saving_growth_percent": 0,
    "spend": null,
    "rule": "fixed",
    "incomes": [],
    "one_off_sums": []
  },
  "markets": {
    "kind": "simulated",
    "volatility_percent": 12,
    "horizon": 30,
    "paths": 10000,
    "seed": 20261210,
    "stock_percent": 60
  },
  "solve": {
    "quantity": "draw",
    "success_percent": 90
  }
}
)";
    EXPECT_EQ(PlanDocumentBytes(PlanDocument()), expected);

    const std::string shortest = R"({"format": "nestora-plan", "version": 1, "plan": {
        "current_savings": "50000", "annual_savings": "10000", "return_percent": "8.5",
        "inflation_percent": "3.0", "draw_percent": "6.0", "years_to_retirement": "25"}})";
    const PlanDocumentRead read = PlanDocumentFromBytes(shortest, "short.nestora");
    ASSERT_TRUE(read.document) << read.error;
    EXPECT_EQ(PlanDocumentBytes(*read.document), expected);
}

// The plain plan's text with `from` replaced by `to`.
std::string Damaged(const std::string& from, const std::string& to) {
    std::string bytes = PlanDocumentBytes(EveryFieldSet());
    const std::size_t at = bytes.find(from);
    if (at == std::string::npos)
        ADD_FAILURE() << "no " << from;
    else
        bytes.replace(at, from.size(), to);
    return bytes;
}

TEST(PlanDocument, ADamagedDocumentIsRefusedNamingTheLineOrTheKey) {
    struct Case {
        std::string bytes;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"", "p.nestora, line 1: This is not a plan document: illegal value."},
        {"[1, 2]", "p.nestora, line 1: This is not a plan document: it holds no JSON object."},
        {Damaged("\"version\": 1,", "\"version\": 1"),
         "p.nestora, line 4: This is not a plan document: unterminated object."},
        {Damaged("\"horizon\": 35", "\"horizon\": 35,"),
         "p.nestora, line 47: This is not a plan document: unterminated object."},
        {PlanDocumentBytes(EveryFieldSet()).substr(0, 200),
         "p.nestora, line 9: This is not a plan document: unterminated string."},
        {Damaged("nestora-plan", "nestora-settings"),
         "p.nestora: This is not a plan document: its \"format\" is not \"nestora-plan\"."},
        {Damaged("\"version\": 1", "\"version\": \"1\""),
         "p.nestora: \"version\" must be a whole number from 1 to 2147483647."},
        {Damaged("\"version\": 1", "\"version\": 0.5"),
         "p.nestora: \"version\" must be a whole number from 1 to 2147483647."},
        {Damaged("\"plan\"", "\"plans\""), "p.nestora: \"plan\" is missing."},
        {Damaged("\"draw_percent\"", "\"draw\""), "p.nestora: \"plan.draw_percent\" is missing."},
        {Damaged("\"draw_percent\": \"4.5\"", "\"draw_percent\": 4.5"),
         "p.nestora: \"plan.draw_percent\" must be a text of at most 100 characters."},
        {Damaged("\"age\": 48", "\"age\": 12"),
         "p.nestora: \"life.age\" must be a whole number from 15 to 100."},
        {Damaged("\"age\": 48", "\"age\": 48.5"),
         "p.nestora: \"life.age\" must be a whole number from 15 to 100."},
        {Damaged("\"saving_growth_percent\": 2.5", "\"saving_growth_percent\": 51"),
         "p.nestora: \"life.saving_growth_percent\" must be a number from -20 to 50."},
        {Damaged("\"spend\": 30000.1", "\"spend\": -1"),
         "p.nestora: \"life.spend\" must be a number of 0 or more."},
        {Damaged("\"rule\": \"guardrails\"", "\"rule\": \"Guardrails\""),
         "p.nestora: \"life.rule\" must be \"fixed\", \"percent\" or \"guardrails\"."},
        {Damaged("\"incomes\": [", "\"incomes\": {\"a\": ["),
         "p.nestora, line 57: This is not a plan document: unterminated object."},
        {Damaged("\"amount\": 6000", "\"amount\": \"6000\""),
         "p.nestora: \"life.incomes[1].amount\" must be a number of 0 or more."},
        {Damaged("\"to\": 40", "\"to\": 17"),
         "p.nestora: \"life.incomes[1].to\" must be a whole number from 18 to 1000."},
        {Damaged("\"indexed\": false", "\"indexed\": 0"),
         "p.nestora: \"life.incomes[1].indexed\" must be true or false."},
        {Damaged("\"year\": 30", "\"year\": 1001"),
         "p.nestora: \"life.one_off_sums[1].year\" must be a whole number from 1 to 1000."},
        {Damaged("\"year\": 5", "\"yaer\": 5"),
         "p.nestora: Unknown key \"life.one_off_sums[0].yaer\"."},
        {Damaged("\"one_off_sums\": [", "\"one_off_sums\": 3, \"x\": ["),
         "p.nestora: \"life.one_off_sums\" must be a list."},
        {Damaged("\"kind\": \"history\"", "\"kind\": \"historic\""),
         "p.nestora: \"markets.kind\" must be \"simulated\" or \"history\"."},
        {Damaged("\"volatility_percent\": 15.5", "\"volatility_percent\": 50.5"),
         "p.nestora: \"markets.volatility_percent\" must be a number from 0 to 50."},
        {Damaged("\"paths\": 2500", "\"paths\": 0"),
         "p.nestora: \"markets.paths\" must be a whole number from 1 to 100000."},
        {Damaged("\"seed\": 9007199254740992", "\"seed\": 9007199254740994"),
         "p.nestora: \"markets.seed\" must be a whole number from 0 to 9007199254740992."},
        {Damaged("\"success_percent\": 95", "\"success_percent\": 100"),
         "p.nestora: \"solve.success_percent\" must be a whole number from 50 to 99."},
        {Damaged("\"quantity\": \"retire\"", "\"quantity\": \"age\""),
         "p.nestora: \"solve.quantity\" must be \"draw\", \"spend\", \"retire\" or \"saving\"."},
        {Damaged("\"solve\"", "\"solved\""), "p.nestora: Unknown key \"solved\"."},
        {Damaged("\"markets\": {", "\"markets\": ["),
         "p.nestora, line 45: This is not a plan document: missing value separator."},
    };
    for (const Case& c : cases) {
        const PlanDocumentRead read = PlanDocumentFromBytes(c.bytes, "p.nestora");
        EXPECT_FALSE(read.document) << c.error;
        EXPECT_EQ(read.error, c.error);
    }
}

TEST(PlanDocument, ANewerVersionIsRefusedSayingSoWhateverItHolds) {
    const std::string newer = R"({"format": "nestora-plan", "version": 2, "goals": [], "plan": 7})";
    const PlanDocumentRead read = PlanDocumentFromBytes(newer, "/home/me/next.nestora");
    EXPECT_FALSE(read.document);
    EXPECT_EQ(read.error,
              "/home/me/next.nestora: The plan document has version 2, from a newer Nestora; "
              "this one reads version 1.");
}

TEST(PlanDocument, AFileThatCannotBeReadOrWrittenIsNamedWithTheReason) {
    ScratchFolder folder;
    const std::string missing = folder.file("none.nestora");
    EXPECT_EQ(ReadPlanDocument(missing).error,
              missing + ": The plan document could not be read: File not found.");

    const std::string nowhere = folder.file("no-folder/plan.nestora");
    const std::int32_t code = WritePlanDocument(PlanDocument(), nowhere);
    EXPECT_NE(code, 0);
    EXPECT_EQ(PlanDocumentWriteError(nowhere, code),
              "Cannot save " + nowhere + ": the folder does not exist (Invalid filename).");
}

}  // namespace
}  // namespace nestora::testing
