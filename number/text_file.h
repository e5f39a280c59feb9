// SPDX-License-Identifier: MIT
// The text-file record and its number items. A file is read or written as a
// stream of bytes through a 128-byte buffer; lines end in CR LF and a Ctrl-Z
// (byte 26) is the end of the file for every later read. A failing operation
// leaves its code in IOResultCode (one per thread) and returns normally;
// CheckIO turns a pending code into EInOutError.
//
// Writing a line: one Write...Item, WriteLineEnd, CheckIO.
// Reading a line: one Read...Item, SkipLine, CheckIO.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "number/arith.h"
#include "number/platform_file.h"

namespace nestora {

enum class FileMode { Closed, Input, Output };

struct TextFile {
    FileSystem* files = nullptr;
    std::string name;
    int handle = -1;
    FileMode mode = FileMode::Closed;
    std::array<char, 128> buffer{};
    std::size_t position = 0;  // next byte to read or write in buffer
    std::size_t end = 0;       // bytes of buffer holding read data
    bool atEnd = false;        // the physical end or a Ctrl-Z has been met
};

extern thread_local std::int32_t IOResultCode;

// The message for an I/O code: "File not found", ..., "I/O error 112".
std::string InOutMessage(std::int32_t code);

// Raises EInOutError for a pending IOResultCode, clearing it first.
void CheckIO();

void AssignFile(TextFile& file, const std::string& name, FileSystem& files = SystemFiles());
void Reset(TextFile& file);    // open for input
void Rewrite(TextFile& file);  // create or empty, open for output
// Hands the buffer to the operating system and waits until the data has
// reached the disk.
void FlushToDisk(TextFile& file);
void CloseFile(TextFile& file);  // hands over what is buffered, then closes

void WriteIntegerItem(TextFile& file, std::int32_t value);
void WriteRealItem(TextFile& file, Extended value);
void WriteLineEnd(TextFile& file);

std::int32_t ReadIntegerItem(TextFile& file);
Extended ReadRealItem(TextFile& file);
void SkipLine(TextFile& file);

}  // namespace nestora
