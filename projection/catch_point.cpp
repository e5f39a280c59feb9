// SPDX-License-Identifier: MIT
#include "projection/catch_point.h"

#include <exception>

#include "number/errors.h"

namespace nestora {

std::string ProgramTitle(const std::string& executablePath) {
    // The file name starts after the last directory separator; both kinds
    // are taken so that a path written with backslashes gives the same title.
    const std::size_t slash = executablePath.find_last_of("/\\");
    std::string name =
        slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    // Byte by byte, ASCII letters only: the result does not depend on the
    // process locale, and the bytes of a UTF-8 character are left whole.
    for (std::size_t k = 1; k < name.size(); ++k) {
        if (name[k] >= 'A' && name[k] <= 'Z') name[k] = static_cast<char>(name[k] - 'A' + 'a');
    }
    return name;
}

std::string ErrorBoxText(const std::string& message) {
    // Character codes are compared unsigned, so a message ending in a UTF-8
    // character (bytes from 0x80) also gets its full stop.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

std::optional<std::string> ErrorOf(const std::function<void()>& step) {
    try {
        step();
        return std::nullopt;
    } catch (const Error& error) {
        return error.message();
    } catch (const std::exception& error) {
        const char* text = error.what();
        return text != nullptr && *text != '\0' ? text : UnexpectedError;
    } catch (...) {
        return UnexpectedError;
    }
}

bool RunCaught(Desktop& desktop, const std::string& title, const std::function<void()>& step,
               const std::function<bool()>& mayShow) {
    const std::optional<std::string> message = ErrorOf(step);
    if (!message) return true;
    // The box is a catch point's last act: should showing it fail too (no
    // memory left for a window), there is nothing further to tell the user,
    // and the program still carries on.
    try {
        if (!mayShow || mayShow()) desktop.errorBox(title, ErrorBoxText(*message));
    } catch (...) {
    }
    return false;
}

}  // namespace nestora
