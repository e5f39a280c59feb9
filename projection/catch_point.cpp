// SPDX-License-Identifier: MIT
#include "projection/catch_point.h"

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

bool RunCaught(Desktop& desktop, const std::string& title, const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const Error& error) {
        desktop.errorBox(title, ErrorBoxText(error.message()));
        return false;
    }
}

}  // namespace nestora
