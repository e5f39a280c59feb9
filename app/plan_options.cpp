// SPDX-License-Identifier: MIT
#include "app/plan_options.h"

#include <QFile>

#include "number/text_to_real.h"

namespace nestora {

namespace {

std::string Quoted(const QString& text) { return "'" + text.toStdString() + "'"; }

// A sum in the entry fields' notation ("12000", "-2500.50"); none when the
// text is not one or is not finite.
std::optional<Extended> SumOf(const QString& text) {
    const RealParse parsed = TextToReal(text.trimmed().toStdString());
    if (!parsed.ok() || !fp::isFinite(parsed.value) || text.trimmed().isEmpty())
        return std::nullopt;
    return parsed.value;
}

// A year of the schedule, or an age ("a67") with the age now; the usage
// error's text when it is neither.
std::optional<std::string> YearOf(const QString& text, const std::optional<std::int32_t>& ageNow,
                                  const std::string& option, std::int32_t& year) {
    const bool isAge = text.startsWith('a');
    bool ok = false;
    const int number = (isAge ? text.mid(1) : text).toInt(&ok);
    if (isAge && ok && !ageNow) return option + ": the age " + Quoted(text) + " needs --age.";
    year = isAge && ok ? YearOfAge(*ageNow, number) : number;
    if (ok && year >= 1 && year <= MaxPlanYear) return std::nullopt;
    if (isAge && ok)
        return option + ": the age " + Quoted(text) + " lies outside the years of the plan (a" +
               std::to_string(*ageNow + 1) + " to a" + std::to_string(*ageNow + MaxPlanYear) + ").";
    return option + ": " + Quoted(text) + " is not a year from 1 to " +
           std::to_string(MaxPlanYear) + " or an age with --age (a67).";
}

std::optional<std::string> IncomeOf(const QString& value, const std::optional<std::int32_t>& ageNow,
                                    IncomeStream& stream) {
    const std::string option = "--income";
    QStringList parts = value.split(',');
    if (parts.size() >= 3 && parts.back() == "fixed") {
        stream.indexed = false;
        parts.removeLast();
    }
    if (parts.size() < 2 || parts.size() > 3)
        return option + " takes AMOUNT,FROM[,TO][,fixed], not " + Quoted(value) + ".";
    const std::optional<Extended> amount = SumOf(parts[0]);
    if (!amount || *amount < 0)
        return option + ": " + Quoted(parts[0]) + " is not a sum of 0 or more.";
    stream.amountToday = *amount;
    if (auto wrong = YearOf(parts[1], ageNow, option, stream.firstYear)) return wrong;
    if (parts.size() == 2) return std::nullopt;
    std::int32_t last = 0;
    if (auto wrong = YearOf(parts[2], ageNow, option, last)) return wrong;
    if (last < stream.firstYear)
        return option + ": the last year " + Quoted(parts[2]) + " comes before the first, " +
               Quoted(parts[1]) + ".";
    stream.lastYear = last;
    return std::nullopt;
}

std::optional<std::string> OneOffOf(const QString& value, const std::optional<std::int32_t>& ageNow,
                                    OneOffSum& sum) {
    const std::string option = "--lump";
    const QStringList parts = value.split(',');
    if (parts.size() != 2) return option + " takes AMOUNT,AT, not " + Quoted(value) + ".";
    const std::optional<Extended> amount = SumOf(parts[0]);
    if (!amount) return option + ": " + Quoted(parts[0]) + " is not a sum.";
    sum.amountToday = *amount;
    return YearOf(parts[1], ageNow, option, sum.year);
}

// Each value of a repeatable option read with `read` into `items`.
template <class T, class Read>
std::optional<std::string> ListOf(const QCommandLineParser& parser,
                                  const QCommandLineOption& option,
                                  const std::optional<std::int32_t>& ageNow, Read read,
                                  std::optional<std::vector<T>>& items) {
    if (!parser.isSet(option)) return std::nullopt;
    items.emplace();
    for (const QString& value : parser.values(option))
        if (auto wrong = read(value, ageNow, items->emplace_back())) return wrong;
    return std::nullopt;
}

}  // namespace

PlanOptions::PlanOptions()
    : plan_("plan",
            "A plan document (.nestora) in place of a settings FILE: its six values and the life "
            "around them.",
            "FILE"),
      age_("age",
           "Your age now (15 to 100): the CSV gains the columns age and calendar_year after year, "
           "and FROM, TO and AT may be ages (a67).",
           "YEARS"),
      savingGrowth_("saving-growth",
                    "The yearly saving grows by PCT percent a year (-20 to 50, 0 if not given).",
                    "PCT"),
      spend_("spend",
             "What you spend a year in retirement in today's money, other income included: "
             "savings pay what other income does not cover. Without it savings pay the draw "
             "rate of the balance at retirement, and other income comes on top.",
             "AMOUNT"),
      rule_("rule",
            "How savings pay in retirement: fixed, the same every year (if not given); percent, "
            "the draw rate of each year's balance; guardrails, the fixed amount cut by 10 % when "
            "it is above 120 % of the starting rate of the balance and raised by 10 % when below "
            "80 %.",
            "RULE"),
      income_("income",
              "Other income in retirement of AMOUNT a year in today's money, paid from year FROM "
              "to year TO (to the end without it), keeping pace with inflation unless 'fixed'. "
              "Years count as the schedule's (1 = the first year); with --age, a67 is the year "
              "you are 67. May be given more than once.",
              "AMOUNT,FROM[,TO][,fixed]"),
      lump_("lump",
            "A one-off sum in today's money added to the savings at the end of year AT (taken "
            "from them when negative); AT as FROM of --income. May be given more than once.",
            "AMOUNT,AT") {}

std::vector<const QCommandLineOption*> PlanOptions::all() const {
    return {&plan_, &age_, &savingGrowth_, &spend_, &rule_, &income_, &lump_};
}

std::optional<std::string> PlanOptions::outOfPlace(const QCommandLineParser& parser,
                                                   bool planCommand,
                                                   const std::string& commands) const {
    if (planCommand) return std::nullopt;
    for (const QCommandLineOption* option : all())
        if (parser.isSet(*option))
            return "--" + option->names().front().toStdString() + " goes with " + commands + ".";
    return std::nullopt;
}

std::optional<std::string> PlanOptions::read(const QCommandLineParser& parser, bool fileGiven,
                                             PlanSource& source) const {
    if (parser.isSet(plan_)) {
        if (fileGiven) return "--plan takes the place of a settings FILE: give one of them.";
        source.document = QFile::encodeName(parser.value(plan_)).toStdString();
    }
    LifeChoices& life = source.life;
    bool ok = false;
    if (parser.isSet(age_)) {
        life.ageNow = parser.value(age_).toInt(&ok);
        if (!ok || *life.ageNow < MinAgeNow || *life.ageNow > MaxAgeNow)
            return "--age takes whole years from 15 to 100.";
    }
    if (parser.isSet(savingGrowth_)) {
        const std::optional<Extended> percent = SumOf(parser.value(savingGrowth_));
        if (!percent || *percent < MinSavingGrowth * 100 || *percent > MaxSavingGrowth * 100)
            return "--saving-growth takes a percent from -20 to 50.";
        life.savingGrowth = fp::div(*percent, 100);
    }
    if (parser.isSet(spend_)) {
        life.spendToday = SumOf(parser.value(spend_));
        if (!life.spendToday || *life.spendToday < 0) return "--spend takes a sum of 0 or more.";
    }
    if (parser.isSet(rule_)) {
        life.rule = SpendingRuleNamed(parser.value(rule_).toStdString());
        if (!life.rule) return "--rule takes fixed, percent or guardrails.";
    }
    if (auto wrong = ListOf(parser, income_, life.ageNow, IncomeOf, life.incomes)) return wrong;
    return ListOf(parser, lump_, life.ageNow, OneOffOf, life.oneOffs);
}

}  // namespace nestora
