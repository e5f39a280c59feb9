// SPDX-License-Identifier: MIT
// The four result texts the Linux program shows after a first start (no
// settings file) when the six entry fields are typed over with the texts
// given, in the order Edit1, Edit2, Edit9, Edit10, Edit8, Edit11: the same
// planner, handlers and calculate as the window, over plain fields. The
// Windows session compares what its window shows with these.
// Usage: nestora_result_texts EDIT1 EDIT2 EDIT9 EDIT10 EDIT8 EDIT11
#include <cstdio>
#include <memory>
#include <vector>

#include "number/arith.h"
#include "projection/catch_point.h"
#include "projection/planner.h"
#include "support/first_run.h"
#include "support/plain_field.h"
#include "support/quiet_desktop.h"

int main(int argc, char** argv) {
    using namespace nestora;
    if (argc != 7) {
        std::fprintf(stderr, "usage: %s EDIT1 EDIT2 EDIT9 EDIT10 EDIT8 EDIT11\n", argv[0]);
        return 2;
    }
    InitArithmetic();
    testing::QuietDesktop desktop;
    Planner planner(desktop);
    planner.plan = DefaultPlan();
    std::vector<std::unique_ptr<testing::PlainField>> fields;
    for (std::size_t k = 0; k < AllEntries.size(); ++k) {
        fields.push_back(std::make_unique<testing::PlainField>(testing::DefaultEntryTexts[k]));
        const Entry entry = AllEntries[k];
        fields.back()->onChange = [&planner, entry] { RunEntryChanged(planner, entry, "nestora"); };
        planner.bindEntry(entry, *fields.back());
    }
    for (const Result result : AllResults) {
        fields.push_back(std::make_unique<testing::PlainField>());
        planner.bindResult(result, *fields.back());
    }
    planner.calculate();
    for (std::size_t k = 0; k < AllEntries.size(); ++k) fields[k]->type(argv[k + 1]);
    for (std::size_t k = 0; k < AllResults.size(); ++k)
        std::printf("%s\n", fields[AllEntries.size() + k]->text().c_str());
    return 0;
}
