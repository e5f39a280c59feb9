// SPDX-License-Identifier: MIT
// JSON text written in an order of our choosing (QJsonObject would sort the
// keys): objects and arrays opened and closed in turn, each member on a line
// of its own, indented by two spaces a level.
#pragma once

#include <string>
#include <vector>

namespace nestora {

class JsonOut {
  public:
    // `key` is null for a member of an array or the outermost object.
    void open(const char* key, char bracket);
    void close();
    // `json` is the member's JSON text: a number, true, false, null or a
    // quoted string (Quoted).
    void member(const char* key, const std::string& json);
    // The text, ended by a line end, once everything is closed.
    const std::string& text();

  private:
    void begin(const char* key);
    std::string text_;
    std::vector<char> open_;    // the closing brackets still to write
    std::vector<bool> filled_;  // whether each open level has a member yet
};

// A JSON string of UTF-8 text (bytes that are not UTF-8 become U+FFFD).
std::string Quoted(const std::string& text);

}  // namespace nestora
