// Tests of the INF text primitives over real files: the byte-exact copy, the
// insertion beneath a section header with its edge cases, and the failures
// of both routines.
#include "patch/inf_text.h"

#include "test_files.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

using namespace std::string_literals;

namespace
{

// Both lines carry characters a formatting routine would take for its own.
const char* const Lines[] = {"A=%s%d%%", "B=PCI\\VEN_1106&DEV_3040"};
const std::string Inserted = "A=%s%d%%\r\nB=PCI\\VEN_1106&DEV_3040\r\n";

TEST(CopyWholeFile, CopiesEveryByteAndTruncatesTheDestination)
{
    std::string everyByte;
    for (int round = 0; round < 40; ++round) {
        for (int value = 0; value < 256; ++value)
            everyByte += static_cast<char>(value);
    }
    for (const std::string& source : {everyByte + "\r\n\x1a\n\r", std::string()}) {
        TempDir dir;
        WriteBytes(dir.Path() / "in", source);
        WriteBytes(dir.Path() / "out", std::string(20000, 'x'));
        EXPECT_EQ(CopyWholeFile((dir / "out").c_str(), (dir / "in").c_str()), 1);
        EXPECT_EQ(ReadBytes(dir.Path() / "out"), source);
    }
}

struct InsertCase {
    const char* name;
    std::string source;
    std::string section;
    int count;
    int result;
    std::string expected;
};

// Test names and listings show the case by its name.
void PrintTo(const InsertCase& c, std::ostream* os)
{
    *os << c.name;
}

class InsertSectionLinesCases : public testing::TestWithParam<InsertCase>
{
};

TEST_P(InsertSectionLinesCases, WritesExactBytes)
{
    const InsertCase& c = GetParam();
    TempDir dir;
    WriteBytes(dir.Path() / "in", c.source);
    // A longer stale destination shows that it is truncated, not overwritten.
    WriteBytes(dir.Path() / "out", c.expected + std::string(100, 'x'));
    EXPECT_EQ(InsertSectionLines((dir / "out").c_str(), (dir / "in").c_str(), c.section.c_str(),
                                 c.count, Lines),
              c.result);
    EXPECT_EQ(ReadBytes(dir.Path() / "out"), c.expected);
}

const std::string Name63(63, 'N');

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, InsertSectionLinesCases, testing::Values(
    InsertCase{"LinesGoBeneathTheHeader",
        "[Version]\r\nx=1\r\n[MS_SYS]\r\nold\r\n[Next]\r\n", "MS_SYS", 2, INSERT_DONE,
        "[Version]\r\nx=1\r\n[MS_SYS]\r\n" + Inserted + "old\r\n[Next]\r\n"},
    InsertCase{"LowerCaseHeaderMatches",
        "[ms_sys]\r\nold\r\n", "MS_SYS", 2, INSERT_DONE, "[ms_sys]\r\n" + Inserted + "old\r\n"},
    InsertCase{"MixedCaseWantedNameMatches",
        "[MS_SYS]\r\nold\r\n", "Ms_sYs", 2, INSERT_DONE, "[MS_SYS]\r\n" + Inserted + "old\r\n"},
    InsertCase{"OnlyAsciiLettersFold",
        "[MS@SYS]\r\n", "MS`SYS", 2, INSERT_NO_SECTION, "[MS@SYS]\r\n"},
    InsertCase{"NonAsciiBytesDoNotFold",
        "[\xC4]\r\n", "\xE4", 2, INSERT_NO_SECTION, "[\xC4]\r\n"},
    InsertCase{"BlankBeforeClosingBracketDoesNotMatch",
        "[MS_SYS ]\r\nold\r\n", "MS_SYS", 2, INSERT_NO_SECTION, "[MS_SYS ]\r\nold\r\n"},
    InsertCase{"BlankAfterOpeningBracketDoesNotMatch",
        "[ MS_SYS]\r\nold\r\n", "MS_SYS", 2, INSERT_NO_SECTION, "[ MS_SYS]\r\nold\r\n"},
    InsertCase{"OtherBracketsInACommentAreSkipped",
        "; see [Other] and [x]\r\n[MS_SYS]\r\nold\r\n", "MS_SYS", 2, INSERT_DONE,
        "; see [Other] and [x]\r\n[MS_SYS]\r\n" + Inserted + "old\r\n"},
    InsertCase{"MatchingNameInACommentIsTheInsertionPoint",
        "; [MS_SYS] below\r\nx\r\n[MS_SYS]\r\nold\r\n", "MS_SYS", 2, INSERT_DONE,
        "; [MS_SYS] below\r\n" + Inserted + "x\r\n[MS_SYS]\r\nold\r\n"},
    InsertCase{"OnlyTheFirstOccurrenceReceivesTheLines",
        "[MS_SYS]\r\na\r\n[ms_sys]\r\nb\r\n", "MS_SYS", 2, INSERT_DONE,
        "[MS_SYS]\r\n" + Inserted + "a\r\n[ms_sys]\r\nb\r\n"},
    InsertCase{"TrailingCommentStaysOnTheHeaderLine",
        "[MS_SYS]   ; models [x]\r\nold\r\n", "MS_SYS", 2, INSERT_DONE,
        "[MS_SYS]   ; models [x]\r\n" + Inserted + "old\r\n"},
    InsertCase{"UnclosedBracketHidesTheHeaderItRunsInto",
        "; [ unclosed\r\n[MS_SYS]\r\nold\r\n", "MS_SYS", 2, INSERT_NO_SECTION,
        "; [ unclosed\r\n[MS_SYS]\r\nold\r\n"},
    InsertCase{"CountZeroCopiesTheFile",
        "[MS_SYS]\r\nold\r\n", "MS_SYS", 0, INSERT_DONE, "[MS_SYS]\r\nold\r\n"},
    InsertCase{"EmptySource", "", "MS_SYS", 2, INSERT_NO_SECTION, ""},
    InsertCase{"HeaderOnTheLastLine",
        "x\r\n[MS_SYS]\r\n", "MS_SYS", 2, INSERT_DONE, "x\r\n[MS_SYS]\r\n" + Inserted},
    InsertCase{"LineEndIsCrThenTheNextLf",
        "[MS_SYS]\nnext\r\nold\r\n", "MS_SYS", 2, INSERT_DONE,
        "[MS_SYS]\nnext\r\n" + Inserted + "old\r\n"},
    InsertCase{"SourceEndsInsideAName", "x\r\n[MS_S", "MS_S", 2, INSERT_NO_SECTION, "x\r\n[MS_S"},
    InsertCase{"SourceEndsAfterTheHeader", "x\r\n[MS_SYS]", "MS_SYS", 2, INSERT_NO_SECTION,
        "x\r\n[MS_SYS]"},
    InsertCase{"SourceEndsBeforeTheLfOfTheHeader", "[MS_SYS] ;\r", "MS_SYS", 2, INSERT_NO_SECTION,
        "[MS_SYS] ;\r"},
    InsertCase{"NameOf63BytesMatches",
        "[" + Name63 + "]\r\nold\r\n", Name63, 2, INSERT_DONE,
        "[" + Name63 + "]\r\n" + Inserted + "old\r\n"},
    InsertCase{"NameOf64BytesIsNotCutToAMatch",
        "[" + Name63 + "N]\r\nold\r\n", Name63, 2, INSERT_NO_SECTION,
        "[" + Name63 + "N]\r\nold\r\n"},
    InsertCase{"ScanGoesOnAfterAVeryLongName",
        "[" + std::string(5000, 'L') + "]\r\n[MS_SYS]\r\nold\r\n", "MS_SYS", 2, INSERT_DONE,
        "[" + std::string(5000, 'L') + "]\r\n[MS_SYS]\r\n" + Inserted + "old\r\n"},
    InsertCase{"ZeroByteInANameDoesNotEndIt",
        "[MS_SYS\0]\r\n"s, "MS_SYS", 2, INSERT_NO_SECTION, "[MS_SYS\0]\r\n"s}),
    [](const testing::TestParamInfo<InsertCase>& p) { return std::string(p.param.name); });
// clang-format on

// Files that cannot be read or written as they should. Both routines must
// report the failure rather than success over a short or missing copy.
struct FailureCase {
    const char* name;
    std::function<void(const TempDir&, std::string&, std::string&)> setUp;
    bool destinationUntouched;
};

void PrintTo(const FailureCase& c, std::ostream* os)
{
    *os << c.name;
}

class FailingFiles : public testing::TestWithParam<FailureCase>
{
};

TEST_P(FailingFiles, AreReportedAsFailures)
{
    const FailureCase& c = GetParam();
    TempDir dir;
    std::string source = dir / "in";
    std::string destination = dir / "out";
    WriteBytes(source, "[MS_SYS]\r\nold\r\n");
    WriteBytes(destination, "keep");
    c.setUp(dir, source, destination);

    EXPECT_EQ(CopyWholeFile(destination.c_str(), source.c_str()), 0);
    if (c.destinationUntouched) {
        EXPECT_EQ(ReadBytes(destination), "keep");
    }
    EXPECT_EQ(InsertSectionLines(destination.c_str(), source.c_str(), "MS_SYS", 2, Lines),
              INSERT_IO_ERROR);
    if (c.destinationUntouched) {
        EXPECT_EQ(ReadBytes(destination), "keep");
    }
}

// clang-format off
const FailureCase FailureCases[] = {
    FailureCase{"MissingSource",
        [](const TempDir& dir, std::string& source, std::string&) { source = dir / "absent"; },
        true},
    FailureCase{"SourceIsAFolder",
        [](const TempDir& dir, std::string& source, std::string&) {
            source = dir / "folder";
            fs::create_directory(source);
        },
        false},
    FailureCase{"DestinationFolderMissing",
        [](const TempDir& dir, std::string&, std::string& destination) {
            destination = (dir.Path() / "absent" / "out").string();
        },
        false},
#ifndef _WIN32
    // Every write is accepted into the buffer; the flush at the close fails.
    FailureCase{"DestinationDeviceIsFull",
        [](const TempDir&, std::string&, std::string& destination) { destination = "/dev/full"; },
        false},
#endif
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, FailingFiles, testing::ValuesIn(FailureCases),
                         [](const testing::TestParamInfo<FailureCase>& p) {
                             return std::string(p.param.name);
                         });

// Files of sysfs report a size of one page but hold a few bytes: the copy
// fails with the bytes that were there, never padded. Under Wine the same
// file is reached through drive Z:, so the Win32 streams meet it too.
TEST(CopyWholeFile, NeverPadsAShortSource)
{
#ifdef _WIN32
    const char* source = "Z:\\sys\\devices\\system\\cpu\\online";
#else
    const char* source = "/sys/devices/system/cpu/online";
#endif
    if (!fs::exists(source))
        GTEST_SKIP() << "no sysfs";
    TempDir dir;
    std::string content = ReadBytes(source);
    ASSERT_LT(content.size(), fs::file_size(source));
    EXPECT_EQ(CopyWholeFile((dir / "out").c_str(), source), 0);
    EXPECT_EQ(ReadBytes(dir.Path() / "out"), content);
}

} // namespace
