// SPDX-License-Identifier: MIT
// PlanDocumentBytes: every key, always in this order.
#include <cmath>
#include <string>

#include "document/document_number.h"
#include "document/json_out.h"
#include "document/plan_document.h"
#include "document/plan_keys.h"
#include "number/arith.h"

namespace nestora {

namespace {

std::string Number(Extended value) { return fp::isFinite(value) ? JsonNumberText(value) : "null"; }

std::string Number(double value) { return std::isfinite(value) ? JsonNumberText(value) : "null"; }

std::string Whole(std::int64_t value) { return std::to_string(value); }

std::string Bool(bool value) { return value ? "true" : "false"; }

template <class T, class Write>
std::string OrNull(const std::optional<T>& value, Write write) {
    return value ? write(*value) : "null";
}

void WriteIncome(JsonOut& out, const IncomeStream& stream) {
    out.open(nullptr, '{');
    out.member("name", Quoted(stream.name));
    out.member("amount", Number(stream.amountToday));
    out.member("from", Whole(stream.firstYear));
    out.member("to", OrNull(stream.lastYear, Whole));
    out.member("indexed", Bool(stream.indexed));
    out.close();
}

void WriteLife(JsonOut& out, const LifePlan& life) {
    out.open("life", '{');
    out.member("age", OrNull(life.ageNow, Whole));
    out.member("saving_growth_percent", Number(fp::mul(life.savingGrowth, 100)));
    out.member("spend", OrNull(life.spendToday, [](Extended v) { return Number(v); }));
    out.member("rule", Quoted(SpendingRuleName(life.rule)));
    out.open("incomes", '[');
    for (const IncomeStream& stream : life.incomes) WriteIncome(out, stream);
    out.close();
    out.open("one_off_sums", '[');
    for (const OneOffSum& sum : life.oneOffs) {
        out.open(nullptr, '{');
        out.member("amount", Number(sum.amountToday));
        out.member("year", Whole(sum.year));
        out.close();
    }
    out.close();
    out.close();
}

void WriteMarkets(JsonOut& out, const PlanDocument& document) {
    out.open("markets", '{');
    out.member("kind", Quoted(PlanMarketsName(document.markets)));
    out.member("volatility_percent", Number(document.volatilityPercent));
    out.member("horizon", Whole(document.horizon));
    out.member("paths", Whole(document.paths));
    out.member("seed", std::to_string(document.seed));
    out.member("stock_percent", Number(document.stockPercent));
    out.close();
}

}  // namespace

std::string PlanDocumentBytes(const PlanDocument& document) {
    JsonOut out;
    out.open(nullptr, '{');
    out.member("format", Quoted(PlanDocumentFormat));
    out.member("version", Whole(PlanDocumentVersion));
    out.open("plan", '{');
    for (std::size_t k = 0; k < document.fields.size(); ++k)
        out.member(plan_keys::Fields[k], Quoted(document.fields[k]));
    out.close();
    WriteLife(out, document.life);
    WriteMarkets(out, document);
    out.open("solve", '{');
    out.member("quantity", Quoted(SolveForName(document.solveFor)));
    out.member("success_percent", Whole(document.successPercent));
    out.close();
    out.close();
    return out.text();
}

}  // namespace nestora
