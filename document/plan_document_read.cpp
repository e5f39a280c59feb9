// SPDX-License-Identifier: MIT
// PlanDocumentFromBytes: the JSON parsed by Qt, then every key checked off
// with its type and range; the first fault ends the reading.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "document/document_number.h"
#include "document/plan_document.h"
#include "document/plan_keys.h"

namespace nestora {

namespace {

// What is wrong, without the file's name.
struct Fault {
    std::string text;
};

[[noreturn]] void Refuse(std::string text) { throw Fault{std::move(text)}; }

std::string Named(const std::string& key) { return "\"" + key + "\""; }

// One JSON object whose keys are checked off as they are read, so that the
// ones left over can be refused.
class Members {
  public:
    Members(const QJsonObject& object, std::string where)
        : object_(object), where_(std::move(where)) {}
    QJsonValue take(const char* key) {
        taken_.emplace_back(key);
        return object_.value(QString::fromUtf8(key));
    }
    std::string key(const char* name) const { return where_.empty() ? name : where_ + "." + name; }
    void refuseOthers() const {
        for (auto it = object_.begin(); it != object_.end(); ++it) {
            const std::string name = it.key().toStdString();
            if (std::find(taken_.begin(), taken_.end(), name) == taken_.end())
                Refuse("Unknown key " + Named(key(name.c_str())) + ".");
        }
    }

  private:
    QJsonObject object_;
    std::string where_;
    std::vector<std::string> taken_;
};

QJsonObject ObjectOf(const QJsonValue& value, const std::string& key) {
    if (!value.isObject()) Refuse(Named(key) + " must be an object.");
    return value.toObject();
}

QJsonArray ArrayOf(const QJsonValue& value, const std::string& key) {
    if (!value.isArray()) Refuse(Named(key) + " must be a list.");
    return value.toArray();
}

std::string TextOf(const QJsonValue& value, const std::string& key, qsizetype longest) {
    if (!value.isString() || value.toString().size() > longest)
        Refuse(Named(key) + " must be a text of at most " + std::to_string(longest) +
               " characters.");
    return value.toString().toStdString();
}

std::int64_t WholeOf(const QJsonValue& value, const std::string& key, std::int64_t least,
                     std::int64_t most) {
    const double number = value.toDouble();
    if (!value.isDouble() || std::trunc(number) != number || number < static_cast<double>(least) ||
        number > static_cast<double>(most))
        Refuse(Named(key) + " must be a whole number from " + std::to_string(least) + " to " +
               std::to_string(most) + ".");
    return static_cast<std::int64_t>(number);
}

double NumberOf(const QJsonValue& value, const std::string& key, double least, double most) {
    const double number = value.toDouble();
    if (!value.isDouble() || !(number >= least && number <= most))
        Refuse(Named(key) + " must be a number from " + JsonNumberText(least) + " to " +
               JsonNumberText(most) + ".");
    return number;
}

Extended SumOf(const QJsonValue& value, const std::string& key, bool signedSum) {
    if (!value.isDouble() || (!signedSum && value.toDouble() < 0))
        Refuse(Named(key) + (signedSum ? " must be a number." : " must be a number of 0 or more."));
    return ExtendedOfJson(value.toDouble());
}

// The name in `names` that `value` holds.
template <class T, std::size_t N>
T ChoiceOf(const QJsonValue& value, const std::string& key,
           const std::array<std::pair<const char*, T>, N>& names) {
    std::string list;
    for (std::size_t k = 0; k < N; ++k) {
        if (value.isString() && value.toString().toStdString() == names[k].first)
            return names[k].second;
        list += (k == 0 ? "" : k + 1 == N ? " or " : ", ") + Named(names[k].first);
    }
    Refuse(Named(key) + " must be " + list + ".");
}

// Reads `key` of `members` into `into` with `read` when it is there.
template <class T, class Read>
void Optional(Members& members, const char* key, T& into, Read read) {
    const QJsonValue value = members.take(key);
    if (!value.isUndefined()) into = read(value, members.key(key));
}

// As Optional, a null standing for no value.
template <class T, class Read>
void Nullable(Members& members, const char* key, std::optional<T>& into, Read read) {
    const QJsonValue value = members.take(key);
    if (value.isUndefined() || value.isNull()) return;
    into = read(value, members.key(key));
}

auto WholeIn(std::int64_t least, std::int64_t most) {
    return [=](const QJsonValue& value, const std::string& key) {
        return static_cast<std::int32_t>(WholeOf(value, key, least, most));
    };
}

auto Sum(bool signedSum) {
    return [=](const QJsonValue& value, const std::string& key) {
        return SumOf(value, key, signedSum);
    };
}

std::string ItemKey(const std::string& list, qsizetype k) {
    return list + "[" + std::to_string(k) + "]";
}

IncomeStream IncomeOf(const QJsonValue& value, const std::string& key) {
    Members members(ObjectOf(value, key), key);
    IncomeStream stream;
    Optional(members, "name", stream.name,
             [](const QJsonValue& v, const std::string& k) { return TextOf(v, k, 200); });
    Optional(members, "amount", stream.amountToday, Sum(false));
    Optional(members, "from", stream.firstYear, WholeIn(1, MaxPlanYear));
    Nullable(members, "to", stream.lastYear, WholeIn(stream.firstYear, MaxPlanYear));
    Optional(members, "indexed", stream.indexed, [](const QJsonValue& v, const std::string& k) {
        if (!v.isBool()) Refuse(Named(k) + " must be true or false.");
        return v.toBool();
    });
    members.refuseOthers();
    return stream;
}

OneOffSum OneOffOf(const QJsonValue& value, const std::string& key) {
    Members members(ObjectOf(value, key), key);
    OneOffSum sum;
    Optional(members, "amount", sum.amountToday, Sum(true));
    Optional(members, "year", sum.year, WholeIn(1, MaxPlanYear));
    members.refuseOthers();
    return sum;
}

template <class T, class Read>
std::vector<T> ListOf(Members& members, const char* key, Read read) {
    std::vector<T> items;
    const QJsonValue value = members.take(key);
    if (value.isUndefined()) return items;
    const std::string name = members.key(key);
    const QJsonArray array = ArrayOf(value, name);
    for (qsizetype k = 0; k < array.size(); ++k) items.push_back(read(array[k], ItemKey(name, k)));
    return items;
}

LifePlan LifeOf(const QJsonValue& value) {
    Members members(ObjectOf(value, "life"), "life");
    LifePlan life;
    Nullable(members, "age", life.ageNow, WholeIn(MinAgeNow, MaxAgeNow));
    Optional(members, "saving_growth_percent", life.savingGrowth,
             [](const QJsonValue& v, const std::string& k) {
                 NumberOf(v, k, MinSavingGrowth * 100, MaxSavingGrowth * 100);
                 return fp::div(ExtendedOfJson(v.toDouble()), 100);
             });
    Nullable(members, "spend", life.spendToday, Sum(false));
    Optional(members, "rule", life.rule, [](const QJsonValue& v, const std::string& k) {
        return ChoiceOf<SpendingRule, 3>(v, k,
                                         {{{"fixed", SpendingRule::Fixed},
                                           {"percent", SpendingRule::Percent},
                                           {"guardrails", SpendingRule::Guardrails}}});
    });
    life.incomes = ListOf<IncomeStream>(members, "incomes", IncomeOf);
    life.oneOffs = ListOf<OneOffSum>(members, "one_off_sums", OneOffOf);
    members.refuseOthers();
    try {
        CheckLifePlan(life);
    } catch (const std::invalid_argument& e) {
        Refuse(Named("life") + ": " + e.what() + ".");
    }
    return life;
}

void ReadPlanFields(const QJsonValue& value, PlanDocument& document) {
    if (value.isUndefined()) Refuse(Named("plan") + " is missing.");
    Members members(ObjectOf(value, "plan"), "plan");
    for (std::size_t k = 0; k < document.fields.size(); ++k) {
        const char* name = plan_keys::Fields[k];
        const QJsonValue field = members.take(name);
        if (field.isUndefined()) Refuse(Named(members.key(name)) + " is missing.");
        document.fields[k] = TextOf(field, members.key(name), 100);
    }
    members.refuseOthers();
}

void ReadMarkets(const QJsonValue& value, PlanDocument& document) {
    Members members(ObjectOf(value, "markets"), "markets");
    Optional(members, "kind", document.markets, [](const QJsonValue& v, const std::string& k) {
        return ChoiceOf<PlanMarkets, 2>(
            v, k, {{{"simulated", PlanMarkets::Simulated}, {"history", PlanMarkets::History}}});
    });
    Optional(members, "volatility_percent", document.volatilityPercent,
             [](const QJsonValue& v, const std::string& k) {
                 return NumberOf(v, k, 0, MaxVolatility * 100);
             });
    Optional(members, "horizon", document.horizon, WholeIn(MinHorizon, MaxHorizon));
    Optional(members, "paths", document.paths, WholeIn(MinPaths, MaxPaths));
    Optional(members, "seed", document.seed, [](const QJsonValue& v, const std::string& k) {
        return static_cast<std::uint64_t>(
            WholeOf(v, k, 0, static_cast<std::int64_t>(MaxDocumentSeed)));
    });
    Optional(members, "stock_percent", document.stockPercent,
             [](const QJsonValue& v, const std::string& k) { return NumberOf(v, k, 0, 100); });
    members.refuseOthers();
}

void ReadSolve(const QJsonValue& value, PlanDocument& document) {
    Members members(ObjectOf(value, "solve"), "solve");
    Optional(members, "quantity", document.solveFor, [](const QJsonValue& v, const std::string& k) {
        return ChoiceOf<SolveFor, 4>(v, k,
                                     {{{"draw", SolveFor::Draw},
                                       {"spend", SolveFor::Spend},
                                       {"retire", SolveFor::Retire},
                                       {"saving", SolveFor::Saving}}});
    });
    Optional(members, "success_percent", document.successPercent,
             WholeIn(MinSuccessPercent, MaxSuccessPercent));
    members.refuseOthers();
}

// "format" and "version": this is a plan document that this program reads.
void CheckFormat(Members& root) {
    const QJsonValue format = root.take("format");
    if (format.toString() != QString::fromUtf8(PlanDocumentFormat))
        Refuse(std::string("This is not a plan document: its ") + Named("format") + " is not " +
               Named(PlanDocumentFormat) + ".");
    const std::int64_t version =
        WholeOf(root.take("version"), "version", 1, std::numeric_limits<std::int32_t>::max());
    if (version > PlanDocumentVersion)
        Refuse("The plan document has version " + std::to_string(version) +
               ", from a newer Nestora; this one reads version " +
               std::to_string(PlanDocumentVersion) + ".");
}

PlanDocument DocumentOf(const QJsonObject& object) {
    Members root(object, "");
    CheckFormat(root);
    PlanDocument document;
    ReadPlanFields(root.take("plan"), document);
    if (const QJsonValue life = root.take("life"); !life.isUndefined())
        document.life = LifeOf(life);
    if (const QJsonValue markets = root.take("markets"); !markets.isUndefined())
        ReadMarkets(markets, document);
    if (const QJsonValue solve = root.take("solve"); !solve.isUndefined())
        ReadSolve(solve, document);
    root.refuseOthers();
    return document;
}

// The line of a byte offset, counted from 1.
std::int64_t LineOf(const std::string& bytes, std::int64_t offset) {
    const auto end = bytes.begin() +
                     std::clamp<std::int64_t>(offset, 0, static_cast<std::int64_t>(bytes.size()));
    return 1 + std::count(bytes.begin(), end, '\n');
}

}  // namespace

PlanDocumentRead PlanDocumentFromBytes(const std::string& bytes, const std::string& name) {
    PlanDocumentRead read;
    QJsonParseError parsed;
    const QJsonDocument json = QJsonDocument::fromJson(
        QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())), &parsed);
    if (parsed.error != QJsonParseError::NoError || !json.isObject()) {
        const std::string why = parsed.error != QJsonParseError::NoError
                                    ? parsed.errorString().toStdString()
                                    : "it holds no JSON object";
        read.error = name + ", line " + std::to_string(LineOf(bytes, parsed.offset)) +
                     ": This is not a plan document: " + why + ".";
        return read;
    }
    try {
        read.document = DocumentOf(json.object());
    } catch (const Fault& fault) {
        read.error = name + ": " + fault.text;
    }
    return read;
}

}  // namespace nestora
