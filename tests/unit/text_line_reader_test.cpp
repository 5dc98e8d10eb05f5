#include "text_line_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_table.h"
#include "test_files.h"

namespace {

using testing::ElementsAreArray;

std::vector<std::string> ReadAllLines(const std::string& path) {
  TextLineReader reader;
  Open(reader, path);
  std::vector<std::string> lines;
  while (!AtEnd(reader)) lines.push_back(ReadLine(reader));
  EXPECT_TRUE(AtEnd(reader)) << "the end must stay the end";
  Close(reader);
  return lines;
}

struct LineCase {
  const char* what;
  std::string bytes;
  std::vector<std::string> lines;
};
PRINT_CASE_AS_WHAT(LineCase)


std::string S(const char* bytes, std::size_t size) { return std::string(bytes, size); }

class LineEnds : public testing::TestWithParam<LineCase> {};

TEST_P(LineEnds, YieldTheExpectedLines) {
  const LineCase& c = GetParam();
  EXPECT_THAT(ReadAllLines(TestFileWith(c.bytes)), ElementsAreArray(c.lines)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    TextLineReader, LineEnds,
    testing::Values(
        LineCase{"empty file", "", {}},
        LineCase{"only CR LF", "\r\n", {""}},
        LineCase{"LF ends", "a\nbc\n", {"a", "bc"}},
        LineCase{"CR LF ends", "a\r\nbc\r\n", {"a", "bc"}},
        LineCase{"blank lines", "\n\r\n\n", {"", "", ""}},
        LineCase{"last line without end", "a\r\nlast", {"a", "last"}},
        LineCase{"last line ends in CR", "a\r", {"a"}},
        LineCase{"lone CR is dropped", "a\rb\r\nc\n", {"ab", "c"}},
        LineCase{"CR only file is one line", "one\rtwo\rthree\r", {"onetwothree"}},
        LineCase{"CR CR LF", "a\r\r\nb", {"a", "b"}},
        LineCase{"LF CR", "a\n\rb\n", {"a", "b"}},
        LineCase{"0x1A after last line end", "a\r\nb\r\n\x1A", {"a", "b"}},
        LineCase{"0x1A first byte", "\x1A" "a\r\nb\r\n", {}},
        LineCase{"0x1A at a line start", "a\n\x1A" "b\nc\n", {"a"}},
        LineCase{"0x1A inside a line ends the file", "abc\x1A" "def\r\nnext\r\n", {"abc"}},
        LineCase{"CR before 0x1A", "a\r\x1A" "b\n", {"a"}},
        LineCase{"zero bytes stay", S("a\0b\0\r\n\0\n", 8), {S("a\0b\0", 4), S("\0", 1)}},
        LineCase{"bytes above 0x7F stay", "\xE4\xF6\xFC\xFF\r\n", {"\xE4\xF6\xFC\xFF"}}),
    NameOfCase<LineCase>);

// Lines around the 128-byte pieces the reader takes from the file: the line
// end may straddle two reads, and lines may span several.
TEST(TextLineReader, LongLinesArriveWholeAcrossReads) {
  for (std::size_t length : {126u, 127u, 128u, 129u, 255u, 256u, 1000u}) {
    const std::string longLine(length, 'x');
    EXPECT_THAT(ReadAllLines(TestFileWith(longLine + "\r\nnext\r\n")),
                ElementsAreArray({longLine, std::string("next")}))
        << "CR LF after " << length << " bytes";
    EXPECT_THAT(ReadAllLines(TestFileWith(longLine + "\nnext")),
                ElementsAreArray({longLine, std::string("next")}))
        << "LF after " << length << " bytes";
    EXPECT_THAT(ReadAllLines(TestFileWith(longLine + "\rtail\r\n")),
                ElementsAreArray({longLine + "tail"}))
        << "lone CR after " << length << " bytes";
  }
}

// A 0x1A inside a line ends the file wherever it falls among the reads.
TEST(TextLineReader, EndOfFileByteInsideALineEndsTheFileAtEveryOffset) {
  for (std::size_t offset : {1u, 126u, 127u, 128u, 129u, 255u, 256u}) {
    const std::string content(offset, 'v');
    EXPECT_THAT(ReadAllLines(TestFileWith(content + "\x1A" "rest\r\nnext line\r\n")),
                ElementsAreArray({content}))
        << "0x1A at offset " << offset;
  }
}

TEST(TextLineReader, AtEndLeavesTheNextLineUntouched) {
  TextLineReader reader;
  Open(reader, TestFileWith(std::string(128, 'a') + "\r\nb"));
  EXPECT_FALSE(AtEnd(reader));
  EXPECT_FALSE(AtEnd(reader));
  EXPECT_EQ(ReadLine(reader), std::string(128, 'a'));
  EXPECT_FALSE(AtEnd(reader));  // the buffer is exhausted here: a fresh read
  EXPECT_EQ(ReadLine(reader), "b");
  EXPECT_TRUE(AtEnd(reader));
  EXPECT_EQ(ReadLine(reader), "") << "reading at the end gives nothing";
  EXPECT_TRUE(AtEnd(reader));
  Close(reader);
}

}  // namespace
