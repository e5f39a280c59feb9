// SPDX-License-Identifier: MIT
#include "number/text_file.h"

#include <cstring>
#include <string_view>

#include "number/errors.h"
#include "number/integer_text.h"
#include "number/real_item.h"
#include "number/text_to_real.h"

namespace nestora {

void CheckIO() {
    const std::int32_t code = IOResultCode;
    if (code == 0) return;
    IOResultCode = 0;
    throw EInOutError(code);
}

namespace {

// Codes of the record itself, beside those of the operating system.
constexpr std::int32_t kNotAssigned = 102;
constexpr std::int32_t kNotOpen = 103;
constexpr std::int32_t kNotOpenForInput = 104;
constexpr std::int32_t kNotOpenForOutput = 105;
constexpr std::int32_t kBadNumber = 106;

constexpr int kEndOfText = -1;
constexpr char kCtrlZ = 26;

// Integer and real tokens are cut after this many characters.
constexpr std::size_t kIntegerTokenLimit = 32;
constexpr std::size_t kRealTokenLimit = 64;

void fail(std::int32_t code) {
    if (code != 0) IOResultCode = code;
}

void startFresh(TextFile& file, FileMode mode, int handle) {
    file.handle = handle;
    file.mode = mode;
    file.position = 0;
    file.end = 0;
    file.atEnd = false;
}

void open(TextFile& file, FileMode mode) {
    if (file.files == nullptr) {
        fail(kNotAssigned);
        return;
    }
    if (file.mode != FileMode::Closed) CloseFile(file);
    int handle = -1;
    const std::int32_t code = mode == FileMode::Input ? file.files->openRead(file.name, handle)
                                                      : file.files->openWrite(file.name, handle);
    if (code != 0) {
        fail(code);
        return;
    }
    startFresh(file, mode, handle);
}

// Hands the buffered bytes to the operating system. They leave the buffer
// whether or not the system takes them: some may have reached the file, and
// offering them again could write them twice.
std::int32_t handOver(TextFile& file) {
    if (file.position == 0) return 0;
    const std::size_t count = file.position;
    file.position = 0;
    return file.files->write(file.handle, file.buffer.data(), count);
}

void put(TextFile& file, std::string_view bytes) {
    if (file.mode != FileMode::Output) {
        fail(kNotOpenForOutput);
        return;
    }
    while (!bytes.empty()) {
        const std::size_t room = file.buffer.size() - file.position;
        const std::size_t count = bytes.size() < room ? bytes.size() : room;
        std::memcpy(file.buffer.data() + file.position, bytes.data(), count);
        file.position += count;
        bytes.remove_prefix(count);
        if (file.position == file.buffer.size()) {
            if (const std::int32_t code = handOver(file); code != 0) {
                // The rest of the item is dropped; the caller's CheckIO stops.
                fail(code);
                return;
            }
        }
    }
}

// The next byte without taking it, or kEndOfText. A Ctrl-Z ends the text
// for good; a refused read sets the code and counts as the end this once.
int peek(TextFile& file) {
    if (file.atEnd) return kEndOfText;
    if (file.position == file.end) {
        std::size_t got = 0;
        const std::int32_t code =
            file.files->read(file.handle, file.buffer.data(), file.buffer.size(), got);
        file.position = 0;
        file.end = 0;
        if (code != 0) {
            fail(code);
            return kEndOfText;
        }
        if (got == 0) {
            file.atEnd = true;
            return kEndOfText;
        }
        file.end = got;
    }
    const auto byte = static_cast<unsigned char>(file.buffer[file.position]);
    if (byte == kCtrlZ) {
        file.atEnd = true;
        return kEndOfText;
    }
    return byte;
}

// Skips codes 0 to 32, then collects up to `limit` characters above 32 into
// token. False when the file is not open for input or the text ended first.
bool readToken(TextFile& file, char* token, std::size_t limit, std::size_t& length) {
    length = 0;
    if (file.mode != FileMode::Input) {
        fail(kNotOpenForInput);
        return false;
    }
    int c = peek(file);
    while (c != kEndOfText && c <= 32) {
        ++file.position;
        c = peek(file);
    }
    while (c != kEndOfText && c > 32 && length < limit) {
        token[length++] = static_cast<char>(c);
        ++file.position;
        c = peek(file);
    }
    return length > 0;
}

}  // namespace

void AssignFile(TextFile& file, const std::string& name, FileSystem& files) {
    if (file.mode != FileMode::Closed) CloseFile(file);
    file.files = &files;
    file.name = name;
    startFresh(file, FileMode::Closed, -1);
}

void Reset(TextFile& file) { open(file, FileMode::Input); }

void Rewrite(TextFile& file) { open(file, FileMode::Output); }

void RewriteNew(TextFile& file, const std::string& like) {
    if (file.files == nullptr) {
        fail(kNotAssigned);
        return;
    }
    if (file.mode != FileMode::Closed) CloseFile(file);
    int handle = -1;
    std::string created;
    if (const std::int32_t code = file.files->createNew(file.name, like, handle, created)) {
        fail(code);
        return;
    }
    file.name = created;
    startFresh(file, FileMode::Output, handle);
}

void FlushToDisk(TextFile& file) {
    if (file.mode != FileMode::Output) {
        fail(kNotOpenForOutput);
        return;
    }
    std::int32_t code = handOver(file);
    if (code == 0) code = file.files->syncToDisk(file.handle);
    fail(code);
}

void CloseFile(TextFile& file) {
    if (file.mode == FileMode::Closed) {
        fail(kNotOpen);
        return;
    }
    // A refused hand-over is the failure worth reporting; the close still runs
    // so that the handle is never leaked.
    const std::int32_t handOverCode = file.mode == FileMode::Output ? handOver(file) : 0;
    const std::int32_t closeCode = file.files->close(file.handle);
    file.handle = -1;
    file.mode = FileMode::Closed;
    file.position = 0;
    file.end = 0;
    fail(handOverCode != 0 ? handOverCode : closeCode);
}

void WriteIntegerItem(TextFile& file, std::int32_t value) { put(file, IntegerToText(value)); }

void WriteRealItem(TextFile& file, Extended value) {
    char item[RealItemLength];
    FormatRealItem(value, item);
    put(file, std::string_view(item, RealItemLength));
}

void WriteLineEnd(TextFile& file) { put(file, "\r\n"); }

// After a failed parse the value is the parse's partial value (the digits
// read before the bad character, without the sign), as for ReadRealItem.
std::int32_t ReadIntegerItem(TextFile& file) {
    char token[kIntegerTokenLimit];
    std::size_t length = 0;
    if (!readToken(file, token, kIntegerTokenLimit, length)) return 0;
    const IntegerParse parsed = TextToInteger(std::string_view(token, length));
    if (!parsed.ok()) fail(kBadNumber);
    return parsed.value;
}

Extended ReadRealItem(TextFile& file) {
    char token[kRealTokenLimit];
    std::size_t length = 0;
    if (!readToken(file, token, kRealTokenLimit, length)) return 0;
    // EOverflow leaves here, before any value is given back.
    const RealParse parsed = TextToReal(std::string_view(token, length));
    if (!parsed.ok()) fail(kBadNumber);
    return parsed.value;
}

void SkipLine(TextFile& file) {
    if (file.mode != FileMode::Input) {
        fail(kNotOpenForInput);
        return;
    }
    for (int c = peek(file); c != kEndOfText; c = peek(file)) {
        ++file.position;
        if (c == '\n') return;
    }
}

}  // namespace nestora
