// SPDX-License-Identifier: MIT
// A Desktop that records every box, beep and address instead of showing it,
// in the order they came, so tests never block on a modal box.
#pragma once

#include <string>
#include <vector>

#include "projection/desktop.h"

namespace nestora::testing {

class RecordingDesktop : public Desktop {
  public:
    // One line per call: "warning: <message>", "beep", "error: <title>|<message>",
    // "open: <address>", "ask: ..." (below).
    std::vector<std::string> calls;

    void warning(const std::string& message) override { calls.push_back("warning: " + message); }
    void beep() override { calls.push_back("beep"); }
    void errorBox(const std::string& title, const std::string& message) override {
        calls.push_back("error: " + title + "|" + message);
    }
    void openAddress(const std::string& address) override { calls.push_back("open: " + address); }
    // Recorded as "ask: <title>|<question>|<yes>|<no>"; answered with `answer`.
    bool answer = false;
    bool ask(const std::string& title, const std::string& question, const std::string& yes,
             const std::string& no) override {
        calls.push_back("ask: " + title + "|" + question + "|" + yes + "|" + no);
        return answer;
    }

    std::vector<std::string> errors() const { return callsStartingWith("error: "); }
    std::vector<std::string> warnings() const { return callsStartingWith("warning: "); }
    std::vector<std::string> questions() const { return callsStartingWith("ask: "); }

  private:
    std::vector<std::string> callsStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& call : calls)
            if (call.rfind(prefix, 0) == 0) found.push_back(call.substr(prefix.size()));
        return found;
    }
};

}  // namespace nestora::testing
