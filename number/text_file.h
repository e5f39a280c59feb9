// SPDX-License-Identifier: MIT
// The text-file record and its number items. A file is read or written as a
// stream of bytes through a 128-byte buffer; lines end in CR LF and a Ctrl-Z
// (byte 26) is the end of the file for every later read. A failing operation
// leaves its code in IOResultCode (one per thread) and returns normally;
// CheckIO turns a pending code into EInOutError.
//
// Writing a line: one Write...Item, WriteLineEnd, CheckIO.
// Reading a line: one Read...Item, SkipLine, CheckIO.
//
// Written bytes reach the operating system only when the buffer is full, on
// FlushToDisk and on CloseFile. Codes of the record itself: 102 a file that
// was never assigned, 103 closing a file that is not open, 104 reading a file
// not open for input, 105 writing one not open for output, 106 a number item
// that does not parse; every other code comes from the FileSystem.
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

// Defined here, with its constant start value, so that every use reads the
// thread's variable directly instead of through an initialisation wrapper.
inline thread_local std::int32_t IOResultCode = 0;

// Raises EInOutError for a pending IOResultCode, clearing it first.
void CheckIO();

// Names the file; an open one is closed first, as by CloseFile.
void AssignFile(TextFile& file, const std::string& name, FileSystem& files = SystemFiles());
// Reset opens the named file for reading, from its first byte; Rewrite
// creates it, or empties it when it exists, and opens it for writing. An open
// file is closed first, as by CloseFile; a refused open leaves the file
// closed and its code pending.
void Reset(TextFile& file);    // open for reading
void Rewrite(TextFile& file);  // open for writing, from empty
// Creates a new file under the assigned name, or a name of its own when that
// one is taken, with the permission bits of `like` (FileSystem::createNew),
// and opens it for output; the record then carries the created file's name.
// An open file is closed first; a refused creation leaves the file closed and
// its code pending.
void RewriteNew(TextFile& file, const std::string& like);
// Hands the buffer to the operating system and waits until the data has
// reached the disk.
void FlushToDisk(TextFile& file);
// Hands over what is buffered, then closes. The file is closed afterwards
// even when either step failed; a refused hand-over is the code left pending
// (it says more than a failing close after it).
void CloseFile(TextFile& file);

void WriteIntegerItem(TextFile& file, std::int32_t value);
void WriteRealItem(TextFile& file, Extended value);
void WriteLineEnd(TextFile& file);

// Skip codes 0 to 32 (across lines), then read a token of up to 32 (integer)
// or 64 (real) characters above 32; a longer token is cut and its rest left
// for the next read. At the end of the text the value is 0 and no code is
// set. Text that does not parse sets 106 and gives the parse's partial value
// ("12x" → 12, "1.5x" → 15). ReadRealItem lets EOverflow through ("1E4933").
std::int32_t ReadIntegerItem(TextFile& file);
Extended ReadRealItem(TextFile& file);
// Drops bytes up to and including the next LF; a CR alone is an ordinary byte.
void SkipLine(TextFile& file);

}  // namespace nestora
