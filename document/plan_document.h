// SPDX-License-Identifier: MIT
// A plan as a document of its own (docs/plan-document.md describes the
// format): the main window's six entry texts, the life around them, the
// markets the plan is tried on and the solver's question, as UTF-8 JSON.
//
//   {
//     "format": "nestora-plan",
//     "version": 1,
//     "plan": { "current_savings": "10000", ... },
//     "life": { "age": 45, ... },
//     "markets": { "kind": "simulated", ... },
//     "solve": { "quantity": "draw", "success_percent": 90 }
//   }
//
// The writer puts every key in the same order every time. The reader takes
// a key that is missing as its default (apart from "format", "version" and
// the six texts of "plan"), and refuses every key it does not know: a key
// misspelt by hand would otherwise be lost without a word. A document of a
// later version is refused, saying so.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "number/platform_file.h"
#include "schedule/history.h"
#include "schedule/life_plan.h"
#include "schedule/simulation.h"
#include "schedule/solver.h"

namespace nestora {

inline constexpr const char* PlanDocumentFormat = "nestora-plan";
inline constexpr std::int32_t PlanDocumentVersion = 1;
// The name every plan document ends with.
inline constexpr const char* PlanDocumentExtension = ".nestora";
// The largest seed a document holds: every whole number up to it is exact
// in a JSON number.
inline constexpr std::uint64_t MaxDocumentSeed = std::uint64_t{1} << 53;

enum class PlanMarkets { Simulated, History };

// "simulated", "history".
const char* PlanMarketsName(PlanMarkets markets);

struct PlanDocument {
    // The main window's entry fields as typed, in the order of AllEntries
    // (Edit1, Edit2, Edit9, Edit10, Edit8, Edit11), "." as the decimal
    // symbol. Opening a document types them into the fields, so the
    // entry rules judge them there. The designed window's texts by default.
    std::array<std::string, 6> fields;
    LifePlan life;
    PlanMarkets markets = PlanMarkets::Simulated;
    double volatilityPercent = DefaultVolatilityPercent;  // 0 … MaxVolatility × 100
    std::int32_t horizon = DefaultHorizon;
    std::int32_t paths = DefaultPaths;
    std::uint64_t seed = DefaultSeed;           // 0 … MaxDocumentSeed
    double stockPercent = DefaultStockPercent;  // 0 … 100
    SolveFor solveFor = SolveFor::Draw;
    std::int32_t successPercent = DefaultSuccessPercent;

    PlanDocument();
};

// The simulation and history that the document's market inputs ask for.
SimulationOptions SimulationOf(const PlanDocument& document);
HistoryOptions HistoryOf(const PlanDocument& document);

// The document as UTF-8 JSON, LF line ends, two spaces of indent.
std::string PlanDocumentBytes(const PlanDocument& document);

// The document in `bytes`, or the message of what is wrong, which begins
// with `name` (the file as the user knows it) and names the line or the key:
//   "plan.nestora, line 3: This is not a plan document: missing comma."
//   "plan.nestora: \"life.incomes[1].amount\" must be a number of 0 or more."
struct PlanDocumentRead {
    std::optional<PlanDocument> document;
    std::string error;
};
PlanDocumentRead PlanDocumentFromBytes(const std::string& bytes, const std::string& name);

// Reads the file at `path` (ReadWholeFile: an ordinary file of at most
// 1 MiB); its messages name the file by `path`.
PlanDocumentRead ReadPlanDocument(const std::string& path, FileSystem& files = SystemFiles());

// Writes the document in the place of `path` (WriteWholeFile: the old file
// stays as it was unless all of the new one reached the disk). Returns the
// I/O code, 0 on success; PlanDocumentWriteError says it for a person.
std::int32_t WritePlanDocument(const PlanDocument& document, const std::string& path,
                               FileSystem& files = SystemFiles());
// "Cannot save /home/me/plan.nestora: the disk is full (I/O error 112)."
std::string PlanDocumentWriteError(const std::string& path, std::int32_t code);

}  // namespace nestora
