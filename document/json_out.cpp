// SPDX-License-Identifier: MIT
#include "document/json_out.h"

#include <QString>
#include <cstdio>

namespace nestora {

void JsonOut::begin(const char* key) {
    if (!filled_.empty()) {
        text_ += filled_.back() ? ",\n" : "\n";
        filled_.back() = true;
        text_.append(2 * filled_.size(), ' ');
    }
    if (key != nullptr) text_ += Quoted(key) + ": ";
}

void JsonOut::open(const char* key, char bracket) {
    begin(key);
    text_ += bracket;
    open_.push_back(bracket == '{' ? '}' : ']');
    filled_.push_back(false);
}

void JsonOut::close() {
    const bool filled = filled_.back();
    filled_.pop_back();
    if (filled) {
        text_ += '\n';
        text_.append(2 * filled_.size(), ' ');
    }
    text_ += open_.back();
    open_.pop_back();
}

void JsonOut::member(const char* key, const std::string& json) {
    begin(key);
    text_ += json;
}

const std::string& JsonOut::text() {
    if (text_.empty() || text_.back() != '\n') text_ += '\n';
    return text_;
}

std::string Quoted(const std::string& text) {
    const std::string utf8 =
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8().toStdString();
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

}  // namespace nestora
