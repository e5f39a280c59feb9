// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "fault_matchers.h"
#include "number/errors.h"
#include "number/real_item.h"
#include "number/text_file.h"
#include "support/failing_files.h"

namespace nestora::testing {
namespace {

// Every test starts and ends with no pending code, so that one test's code
// never shows up in the next.
class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override { IOResultCode = 0; }
    void TearDown() override {
        if (file.mode != FileMode::Closed) CloseFile(file);
        IOResultCode = 0;
    }

    // The pending code, cleared.
    static std::int32_t TakeCode() {
        const std::int32_t code = IOResultCode;
        IOResultCode = 0;
        return code;
    }

    void OpenToRead(const std::string& bytes) {
        AssignFile(file, folder.write("in.txt", bytes), files);
        Reset(file);
        ASSERT_EQ(TakeCode(), 0);
    }
    void OpenToWrite() {
        AssignFile(file, folder.file("out.txt"), files);
        Rewrite(file);
        ASSERT_EQ(TakeCode(), 0);
    }
    std::string Written() const { return ScratchFolder::read(folder.file("out.txt")); }

    ScratchFolder folder;
    FailingFiles files;
    TextFile file;
};

struct WorkedLine {
    bool integer;
    Extended value;     // what is written
    const char* item;   // the line's text, without CR LF
    Extended readBack;  // what reading the line gives
};

const std::vector<WorkedLine> kWorkedLines = {
    {false, 50000, " 5.00000000000000E+0004", 50000},
    {false, 10000, " 1.00000000000000E+0004", 10000},
    {false, 0.085L, " 8.50000000000000E-0002", 0.085L},
    {false, 0.03L, " 3.00000000000000E-0002", 0.03L},
    {false, 0.06L, " 6.00000000000000E-0002", 0.06L},
    {false, 1, " 1.00000000000000E+0000", 1},
    {false, 12000, " 1.20000000000000E+0004", 12000},
    {false, -12345.678L, "-1.23456780000000E+0004", -12345.678L},
    {false, 0.123456789012345678L, " 1.23456789012346E-0001", 0.123456789012346L},
    {false, 1.0L / 3, " 3.33333333333333E-0001", 0.333333333333333L},
    {false, 2.0L / 3, " 6.66666666666667E-0001", 0.666666666666667L},
    {false, 1e20L, " 1.00000000000000E+0020", 1e20L},
    {true, 25, "25", 25},
    {true, -7, "-7", -7},
    {true, -2147483648.0L, "-2147483648", -2147483648.0L},
};

TEST_F(TextFileTest, WorkedItemsAreWrittenAndReadBack) {
    OpenToWrite();
    std::string expected;
    for (const auto& line : kWorkedLines) {
        if (line.integer)
            WriteIntegerItem(file, static_cast<std::int32_t>(fp::truncToInt64(line.value)));
        else
            WriteRealItem(file, line.value);
        WriteLineEnd(file);
        EXPECT_NO_THROW(CheckIO()) << line.item;
        expected += std::string(line.item) + "\r\n";
    }
    CloseFile(file);
    EXPECT_NO_THROW(CheckIO());
    ASSERT_EQ(Written(), expected);

    AssignFile(file, folder.file("out.txt"), files);
    Reset(file);
    for (const auto& line : kWorkedLines) {
        const Extended value =
            line.integer ? static_cast<Extended>(ReadIntegerItem(file)) : ReadRealItem(file);
        SkipLine(file);
        EXPECT_NO_THROW(CheckIO()) << line.item;
        EXPECT_EQ(value, line.readBack) << line.item;
    }
}

TEST_F(TextFileTest, WriteRealItemWritesTheRealItemText) {
    OpenToWrite();
    const Extended values[] = {-0.0L, std::numeric_limits<Extended>::infinity(),
                               std::numeric_limits<Extended>::quiet_NaN(),
                               std::numeric_limits<Extended>::denorm_min()};
    std::string expected;
    for (Extended v : values) {
        WriteRealItem(file, v);
        expected += RealItemText(v);
    }
    CloseFile(file);
    EXPECT_EQ(TakeCode(), 0);
    EXPECT_EQ(Written(), expected);
}

// Bytes reach the operating system in whole buffers of 128, and the rest at
// the close; a line end hands nothing over.
TEST_F(TextFileTest, TheBufferDecidesWhenBytesReachTheSystem) {
    OpenToWrite();
    for (int i = 0; i < 5; ++i) {  // 5 × 25 = 125 bytes
        WriteRealItem(file, 65000);
        WriteLineEnd(file);
    }
    EXPECT_TRUE(files.writeSizes().empty());
    EXPECT_EQ(Written(), "");
    WriteIntegerItem(file, 12345);  // crosses 128
    EXPECT_EQ(files.writeSizes(), std::vector<std::size_t>{128});
    EXPECT_EQ(Written().size(), 128u);
    WriteLineEnd(file);
    EXPECT_EQ(files.writeSizes().size(), 1u);
    CloseFile(file);
    EXPECT_EQ(files.writeSizes(), (std::vector<std::size_t>{128, 4}));
    EXPECT_EQ(Written().size(), 132u);
    EXPECT_EQ(TakeCode(), 0);
}

TEST_F(TextFileTest, FlushToDiskHandsOverAndSyncs) {
    OpenToWrite();
    WriteIntegerItem(file, 10);
    WriteLineEnd(file);
    FlushToDisk(file);
    EXPECT_EQ(TakeCode(), 0);
    EXPECT_EQ(Written(), "10\r\n");
    EXPECT_EQ(files.writeSizes(), std::vector<std::size_t>{4});
    EXPECT_EQ(files.calls(FileCall::Sync), 1);
    FlushToDisk(file);  // nothing buffered: no write, still a sync
    EXPECT_EQ(files.writeSizes().size(), 1u);
    EXPECT_EQ(files.calls(FileCall::Sync), 2);
    CloseFile(file);
    EXPECT_EQ(files.writeSizes().size(), 1u);
}

TEST_F(TextFileTest, ReopeningAnOpenFileClosesItFirst) {
    OpenToWrite();
    WriteIntegerItem(file, 10);
    AssignFile(file, folder.write("in.txt", "7\r\n"), files);  // keeps what was written
    EXPECT_EQ(Written(), "10");
    Reset(file);
    Reset(file);  // and again: the first handle is given back
    EXPECT_EQ(ReadIntegerItem(file), 7);
    CloseFile(file);
    EXPECT_EQ(TakeCode(), 0);
    EXPECT_EQ(files.calls(FileCall::Open), files.calls(FileCall::Close));
}

TEST_F(TextFileTest, ReadingFillsTheBuffer128BytesAtATime) {
    std::string bytes;
    for (int i = 0; i < 30; ++i) bytes += std::to_string(1000000 + i) + "\r\n";  // 270 bytes
    OpenToRead(bytes);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(ReadIntegerItem(file), 1000000 + i);
        SkipLine(file);
    }
    EXPECT_EQ(files.calls(FileCall::Read), 3);  // 128 + 128 + 14
    EXPECT_EQ(ReadIntegerItem(file), 0);
    EXPECT_EQ(files.calls(FileCall::Read), 4);  // the one that finds the end
    EXPECT_EQ(ReadIntegerItem(file), 0);
    EXPECT_EQ(files.calls(FileCall::Read), 4);  // the end is remembered
    EXPECT_EQ(TakeCode(), 0);
}

// One reading scenario: I reads an integer item, R a real item, S skips a
// line; each step gives its value and leaves its code.
struct Step {
    char op;
    Extended value;
    std::int32_t code;
};
struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<Step> steps;
};

std::vector<ReadCase> ReadCases() {
    const std::string zeros62(62, '0');
    return {
        {"blank lines and blanks before a value are passed over",
         "\r\n  \r\n\t 42\r\n7\r\n",
         {{'I', 42, 0}, {'S', 0, 0}, {'I', 7, 0}}},
        {"tabs separate items on one line",
         "\t12\t34\r\n56\r\n",
         {{'I', 12, 0}, {'I', 34, 0}, {'S', 0, 0}, {'I', 56, 0}}},
        {"text after a blank is dropped by SkipLine",
         "10 abc\r\n20\r\n",
         {{'I', 10, 0}, {'S', 0, 0}, {'I', 20, 0}}},
        {"text joined to an integer", "12x\r\n5\r\n", {{'I', 12, 106}, {'S', 0, 0}, {'I', 5, 0}}},
        {"text joined to a real", "1.5x\r\n", {{'R', 15, 106}, {'S', 0, 0}, {'R', 0, 0}}},
        {"an integer out of range", "2147483648\r\n", {{'I', -2147483648.0L, 106}}},
        {"an infinity's item does not parse", "                   +Inf\r\n", {{'R', 0, 106}}},
        {"an integer token is cut at 32 characters",
         std::string(30, '0') + "12" + "34\r\n",
         {{'I', 12, 0}, {'I', 34, 0}}},
        {"a real token is cut at 64 characters, SkipLine drops the rest",
         zeros62 + "15" + "25\r\n7\r\n",
         {{'R', 15, 0}, {'S', 0, 0}, {'R', 7, 0}}},
        {"a lone CR is no line end", "1\r2\r\n3\r\n", {{'I', 1, 0}, {'S', 0, 0}, {'I', 3, 0}}},
        {"a lone CR separates items", "1\r2\r\n", {{'I', 1, 0}, {'I', 2, 0}}},
        {"an LF alone ends a line", "1 x\n2\n", {{'I', 1, 0}, {'S', 0, 0}, {'I', 2, 0}}},
        {"Ctrl-Z ends the text for good",
         std::string("1\r\n\x1a") + "2\r\n3\r\n",
         {{'I', 1, 0}, {'S', 0, 0}, {'I', 0, 0}, {'S', 0, 0}, {'I', 0, 0}, {'R', 0, 0}}},
        {"Ctrl-Z inside a token ends it",
         std::string("12\x1a") + "34",
         {{'I', 12, 0}, {'I', 0, 0}}},
        {"a short file reads 0 from its end on",
         "10\r\n20\r\n5E4\r\n",
         {{'I', 10, 0},
          {'S', 0, 0},
          {'I', 20, 0},
          {'S', 0, 0},
          {'R', 50000, 0},
          {'S', 0, 0},
          {'R', 0, 0},
          {'S', 0, 0},
          {'I', 0, 0},
          {'S', 0, 0}}},
        {"an empty file", "", {{'I', 0, 0}, {'R', 0, 0}, {'S', 0, 0}}},
        {"only blanks", " \t\r\n\r\n ", {{'R', 0, 0}}},
        {"no line end at the end", "42", {{'I', 42, 0}, {'S', 0, 0}, {'I', 0, 0}}},
        {"a byte above 127 is part of the token", "12\xA0\r\n", {{'I', 12, 106}}},
        {"a token across the buffer's edge",
         std::string(126, ' ') + "12345\r\n",
         {{'I', 12345, 0}}},
        {"a line across the buffer's edge",
         "1 " + std::string(200, 'x') + "\r\n2\r\n",
         {{'I', 1, 0}, {'S', 0, 0}, {'I', 2, 0}}},
        {"the settings example",
         "10\r\n-10\r\n 6.50000000000000E+0004\r\n 7.50000000000000E-0002\r\n20\r\n",
         {{'I', 10, 0},
          {'S', 0, 0},
          {'I', -10, 0},
          {'S', 0, 0},
          {'R', 65000, 0},
          {'S', 0, 0},
          {'R', 0.075L, 0},
          {'S', 0, 0},
          {'I', 20, 0},
          {'S', 0, 0}}},
    };
}

TEST_F(TextFileTest, ReadingItemsAndLines) {
    for (const auto& c : ReadCases()) {
        SCOPED_TRACE(c.name);
        OpenToRead(c.bytes);
        int index = 0;
        for (const auto& step : c.steps) {
            ++index;
            Extended value = 0;
            if (step.op == 'I') value = ReadIntegerItem(file);
            if (step.op == 'R') value = ReadRealItem(file);
            if (step.op == 'S') SkipLine(file);
            EXPECT_EQ(value, step.value) << "step " << index << " " << step.op;
            EXPECT_EQ(TakeCode(), step.code) << "step " << index << " " << step.op;
        }
        CloseFile(file);
        EXPECT_EQ(TakeCode(), 0);
    }
}

TEST_F(TextFileTest, AnOverflowingRealLeavesTheCallersValue) {
    OpenToRead("1E4933\r\n5\r\n");
    Extended value = 7;
    EXPECT_FAULT(value = ReadRealItem(file), EOverflow, "Floating point overflow");
    EXPECT_EQ(value, 7);
    EXPECT_EQ(TakeCode(), 0);
    SkipLine(file);
    EXPECT_EQ(ReadRealItem(file), 5);
}

TEST_F(TextFileTest, CheckIORaisesThePendingCodeWithItsMessage) {
    struct Row {
        std::int32_t code;
        const char* message;
    };
    const std::vector<Row> rows = {
        {2, "File not found"},
        {3, "Invalid filename"},
        {4, "Too many open files"},
        {5, "File access denied"},
        {100, "Read beyond end of file"},
        {101, "Disk full"},
        {103, "I/O error 103"},
        {104, "I/O error 104"},
        {105, "I/O error 105"},
        {106, "Invalid numeric input"},
        {112, "I/O error 112"},
        {10005, "I/O error 10005"},
        {-1, "I/O error -1"},
    };
    for (const auto& row : rows) {
        IOResultCode = row.code;
        EXPECT_FAULT(CheckIO(), EInOutError, row.message);
        EXPECT_EQ(IOResultCode, 0) << row.code;  // cleared before raising
        try {
            IOResultCode = row.code;
            CheckIO();
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.code(), row.code);
        }
    }
    EXPECT_NO_THROW(CheckIO());  // nothing pending
}

TEST_F(TextFileTest, TheCodeBelongsToItsThread) {
    IOResultCode = 106;
    std::int32_t seen = -1;
    std::thread([&seen] { seen = IOResultCode; }).join();
    EXPECT_EQ(seen, 0);
    EXPECT_EQ(TakeCode(), 106);
}

TEST_F(TextFileTest, ItemsOnAFileInTheWrongModeSetTheirCode) {
    OpenToRead("1\r\n");
    WriteIntegerItem(file, 1);
    EXPECT_FAULT(CheckIO(), EInOutError, "I/O error 105");
    WriteLineEnd(file);
    EXPECT_EQ(TakeCode(), 105);
    CloseFile(file);

    OpenToWrite();
    EXPECT_EQ(ReadIntegerItem(file), 0);
    EXPECT_EQ(TakeCode(), 104);
    EXPECT_EQ(ReadRealItem(file), 0);
    EXPECT_EQ(TakeCode(), 104);
    SkipLine(file);
    EXPECT_EQ(TakeCode(), 104);
    CloseFile(file);
    EXPECT_EQ(Written(), "");

    // A closed file: nothing to read, write or close.
    ReadIntegerItem(file);
    EXPECT_EQ(TakeCode(), 104);
    WriteRealItem(file, 1);
    EXPECT_EQ(TakeCode(), 105);
    FlushToDisk(file);
    EXPECT_EQ(TakeCode(), 105);
    CloseFile(file);
    EXPECT_EQ(TakeCode(), 103);

    TextFile never;  // no name was ever assigned
    Reset(never);
    EXPECT_EQ(TakeCode(), 102);
    EXPECT_EQ(never.mode, FileMode::Closed);
}

TEST_F(TextFileTest, RefusedOpensLeaveTheFileClosed) {
    std::filesystem::create_directory(folder.file("folder"));
    struct Row {
        const char* what;
        std::string name;
        bool output;
        const char* message;
    };
    const std::vector<Row> rows = {
        {"missing file", folder.file("none.fig"), false, "File not found"},
        {"missing folder, reading", folder.file("gone/x.fig"), false, "Invalid filename"},
        {"missing folder, writing", folder.file("gone/x.fig"), true, "Invalid filename"},
        {"a folder in the file's place, reading", folder.file("folder"), false,
         "File access denied"},
        {"a folder in the file's place, writing", folder.file("folder"), true,
         "File access denied"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        AssignFile(file, row.name, files);
        row.output ? Rewrite(file) : Reset(file);
        EXPECT_FAULT(CheckIO(), EInOutError, row.message);
        EXPECT_EQ(file.mode, FileMode::Closed);
        CloseFile(file);  // nothing was opened, so nothing is closed
        EXPECT_EQ(TakeCode(), 103);
    }
    EXPECT_EQ(files.calls(FileCall::Close), 0);
}

TEST_F(TextFileTest, ARefusedWriteSetsTheSystemsCode) {
    files.failAt(FileCall::Write, 1, 112);
    OpenToWrite();
    for (int i = 0; i < 5; ++i) WriteRealItem(file, 1);  // 115 bytes, all buffered
    EXPECT_EQ(TakeCode(), 0);
    WriteRealItem(file, 1);  // the full buffer is refused
    EXPECT_FAULT(CheckIO(), EInOutError, "I/O error 112");
    CloseFile(file);  // the refused bytes are not offered again
    EXPECT_EQ(TakeCode(), 0);
    EXPECT_EQ(files.writeSizes(), std::vector<std::size_t>{128});
    EXPECT_EQ(Written(), "");
}

TEST_F(TextFileTest, AFullDiskIsReportedAtTheClose) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "this system has no /dev/full";
    AssignFile(file, "/dev/full", files);
    Rewrite(file);
    WriteIntegerItem(file, 10);
    WriteLineEnd(file);
    EXPECT_EQ(TakeCode(), 0);  // still in the buffer
    CloseFile(file);
    EXPECT_FAULT(CheckIO(), EInOutError, "I/O error 112");
    EXPECT_EQ(file.mode, FileMode::Closed);
}

TEST_F(TextFileTest, CloseClosesEvenWhenItFails) {
    struct Row {
        const char* what;
        FileCall kind;
        std::int32_t code;
    };
    const std::vector<Row> rows = {
        {"the hand-over is refused", FileCall::Write, 112},
        {"the close is refused", FileCall::Close, 10005},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        files.failAt(row.kind, files.calls(row.kind) + 1, row.code);
        OpenToWrite();
        WriteIntegerItem(file, 10);
        CloseFile(file);
        EXPECT_EQ(TakeCode(), row.code);
        EXPECT_EQ(file.mode, FileMode::Closed);
        EXPECT_EQ(file.handle, -1);
        CloseFile(file);
        EXPECT_EQ(TakeCode(), 103);
    }
    // Both refused: the hand-over's code says more than the close's.
    files.failAt(FileCall::Write, files.calls(FileCall::Write) + 1, 112);
    OpenToWrite();
    WriteIntegerItem(file, 10);
    files.failAt(FileCall::Close, files.calls(FileCall::Close) + 1, 10005);
    CloseFile(file);
    EXPECT_EQ(TakeCode(), 112);
}

TEST_F(TextFileTest, RefusedReadsAndSyncsSetTheirCodes) {
    // The second read, in the middle of a token, is refused: the token ends
    // there and the code stays; the next read asks the system again.
    files.failAt(FileCall::Read, 2, 10005);
    OpenToRead(std::string(127, ' ') + "12345\r\n");
    EXPECT_EQ(ReadIntegerItem(file), 1);
    EXPECT_FAULT(CheckIO(), EInOutError, "I/O error 10005");
    EXPECT_EQ(ReadIntegerItem(file), 2345);
    EXPECT_EQ(TakeCode(), 0);
    CloseFile(file);

    // A refused read of a bad token: the bad number is the later failure.
    files.failAt(FileCall::Read, files.calls(FileCall::Read) + 2, 10005);
    OpenToRead(std::string(126, ' ') + "1x345\r\n");
    EXPECT_EQ(ReadIntegerItem(file), 1);
    EXPECT_EQ(TakeCode(), 106);
    CloseFile(file);

    files.failAt(FileCall::Sync, 1, 112);
    OpenToWrite();
    WriteIntegerItem(file, 1);
    FlushToDisk(file);
    EXPECT_FAULT(CheckIO(), EInOutError, "I/O error 112");
}

}  // namespace
}  // namespace nestora::testing
