// Failed file operations and exhausted memory, scripted on the Linux
// stand-ins: each ends the process with the fatal report of its own code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "fatal_error.h"
#include "settings.h"
#include "stand_in_control.h"
#include "test_files.h"
#include "text_line_reader.h"

namespace {

using standin::FileCall;
using testing::ExitedWithCode;
using testing::HasSubstr;

std::string Box(const std::string& text) {
  return "MessageBoxA owner=null caption=\"Error\" text=\"" + text + "\" style=0";
}

class FailuresDeathTest : public testing::Test {
 protected:
  void SetUp() override { standin::Reset(); }
};

TEST_F(FailuresDeathTest, ReportShowsCodeRightAlignedAndLocationInHex) {
  struct Case {
    DWORD error, location;
    int exitCode;
    const char* text;
  };
  for (const Case& c : {Case{2, kLocationOpen, 2, "Runtime error   2 at 00000101"},
                        Case{32, kLocationClose, 32, "Runtime error  32 at 00000104"},
                        Case{105, 0xDEADBEEF, 105, "Runtime error 105 at DEADBEEF"},
                        Case{0x1234, 0, 0x34, "Runtime error  52 at 00000000"},
                        Case{203, kLocationMemory, 203, "Runtime error 203 at 00000200"},
                        // only the low 8 bits count, but 0 would read as success
                        Case{0x500, kLocationReadLine, 255, "Runtime error 255 at 00000103"}}) {
    EXPECT_EXIT(ReportFatalIoError(c.error, c.location), ExitedWithCode(c.exitCode),
                HasSubstr(Box(c.text)))
        << c.text;
  }
}

// Every file operation that can fail, with the location that names it.
TEST_F(FailuresDeathTest, EachFailingFileCallReportsItsCodeAndLocation) {
  // 321 bytes: reads 1 to 3 bring data, read 4 finds the end.
  const std::string path = TestFileWith("[autorun]\r\n" + std::string(300, ';') + "\r\nicon=x\r\n");
  struct Case {
    FileCall call;
    int nthRead;
    DWORD error;
    const char* text;
  };
  for (const Case& c : {Case{FileCall::Open, 1, 5, "Runtime error   5 at 00000101"},
                        Case{FileCall::Read, 1, 23, "Runtime error  23 at 00000102"},
                        Case{FileCall::Read, 2, 21, "Runtime error  21 at 00000103"},
                        Case{FileCall::Read, 3, 30, "Runtime error  30 at 00000103"},
                        Case{FileCall::Read, 4, 38, "Runtime error  38 at 00000102"},
                        Case{FileCall::Close, 1, 6, "Runtime error   6 at 00000104"}}) {
    EXPECT_EXIT(
        {
          standin::FailFileCall(c.call, c.error, c.nthRead);
          ReadSettingValue(path, "autorun", "open", "");
        },
        ExitedWithCode(static_cast<int>(c.error)), HasSubstr(Box(c.text)))
        << c.text;
  }
}

TEST_F(FailuresDeathTest, ExhaustedMemoryReports203) {
  const std::string path = TestFileWith("[autorun]\r\nopen=x\r\n");
  EXPECT_EXIT(
      {
        standin::FailAllocation(1);
        ReadSettingValue(path, "autorun", "open", "");
      },
      ExitedWithCode(203), HasSubstr(Box("Runtime error 203 at 00000200")));
}

TEST_F(FailuresDeathTest, BrokenPipeIsTheEndOfTheFileNotAFailure) {
  // 128 bytes arrive, then the pipe breaks: the second line never comes.
  const std::string path = TestFileWith("[autorun]\n" + std::string(117, ';') + "\nopen=x\n");
  standin::FailFileCall(FileCall::Read, ERROR_BROKEN_PIPE, 2);
  EXPECT_EQ(ReadSettingValue(path, "autorun", "open", "none"), "none");
  EXPECT_EQ(standin::ReadCallCount(), 2);
}

TEST_F(FailuresDeathTest, ReadsTheFileIn128BytePieces) {
  const std::string path = TestFileWith(std::string(1000, 'x') + "\n");
  EXPECT_EQ(ReadSettingValue(path, "autorun", "open", ""), "");
  EXPECT_EQ(standin::ReadCallCount(), 9) << "8 reads of data and one that finds the end";
}

TEST_F(FailuresDeathTest, StopsReadingAtTheFirstMatch) {
  const std::string path = TestFileWith("[autorun]\nopen=x\n" + std::string(1000, ';'));
  EXPECT_EQ(ReadSettingValue(path, "autorun", "open", ""), "x");
  EXPECT_EQ(standin::ReadCallCount(), 1);
}

}  // namespace
