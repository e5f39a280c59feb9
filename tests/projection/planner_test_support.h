// SPDX-License-Identifier: MIT
// What the projection tests share: a planner on the default plan, and a
// fault's class and message as one string.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "number/errors.h"
#include "projection/planner.h"
#include "support/planner_fixture.h"

namespace nestora::testing {

// The default plan in fields that show it, and result fields whose texts no
// run writes, so untouched fields show; error boxes are titled "Plan".
struct PlannerOnPlainFields : PlannerFixture {
    explicit PlannerOnPlainFields(char decimalSeparator = '.')
        : PlannerFixture(DefaultEntryTexts, {"r3", "r4", "r5", "r6"}, "Plan", decimalSeparator) {
        planner.plan = DefaultPlan();
    }
};

// "EInvalidOp: Invalid floating point operation" for a fault, "" for none:
// the class and the message in one string, so a table row names both.
inline std::string FaultOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const EInvalidOp& e) {
        return std::string("EInvalidOp: ") + e.what();
    } catch (const EZeroDivide& e) {
        return std::string("EZeroDivide: ") + e.what();
    } catch (const EOverflow& e) {
        return std::string("EOverflow: ") + e.what();
    } catch (const std::exception& e) {
        return std::string("other: ") + e.what();
    }
    return "";
}

}  // namespace nestora::testing
