// Every point where a file operation or an allocation can fail, one at a
// time, on the whole program run: each must end with the report of exactly
// that failure and launch nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "child_process.h"
#include "launcher.h"
#include "settings.h"
#include "stand_in_control.h"
#include "test_files.h"

namespace {

using standin::FileCall;
using testing::HasSubstr;
using testing::Not;

struct Medium {
  const char* what;
  std::string inf;
};

// The start of the report's text, up to as much of the location as given.
std::string Report(DWORD code, const char* location) {
  char text[64];
  std::snprintf(text, sizeof text, "text=\"Runtime error %3u at %s", static_cast<unsigned>(code),
                location);
  return text;
}

const std::vector<Medium>& Media() {
  static const std::vector<Medium> media = {
      {"small", "[autorun]\r\nopen=setup.exe /s\r\n"},
      {"entry after long lines",
       "[autorun]\r\n" + std::string(300, ';') + "\r\nicon=x.ico\r\nopen=setup.exe\r\n"},
      {"no entry", "[other]\n" + std::string(500, 'k') + "=v\n"},
  };
  return media;
}

// A medium's autorun.inf in a fresh folder, and the executable beside it.
struct Prepared {
  std::string inf;
  std::string modulePath;
};

class FailurePoints : public testing::Test {
 protected:
  Prepared Prepare(const Medium& medium) {
    standin::Reset();
    const std::string folder = FreshTestFolder();
    WriteTestFile(folder + "autorun.inf", medium.inf);
    return {folder + "autorun.inf", WindowsPath(folder) + "autolaunch.exe"};
  }
};

// How many reads the lookup of a run without failures makes.
int ReadsOfTheLookup(const std::string& inf) {
  standin::Reset();
  ReadSettingValue(inf, "autorun", "OPEN", "");
  return standin::ReadCallCount();
}

struct FailurePoint {
  FileCall call;
  int nthRead;
  const char* location;  // a prefix of the location the report must show
};

TEST_F(FailurePoints, EveryFailingFileCallEndsWithItsOwnReport) {
  int points = 0;
  for (const Medium& medium : Media()) {
    const Prepared prepared = Prepare(medium);
    const std::string& inf = prepared.inf;
    const std::string& modulePath = prepared.modulePath;
    std::vector<FailurePoint> pointsOfThisFile = {{FileCall::Open, 1, "00000101"},
                                                  {FileCall::Close, 1, "00000104"}};
    const int reads = ReadsOfTheLookup(inf);
    ASSERT_GE(reads, 1) << medium.what;
    for (int k = 1; k <= reads; ++k) pointsOfThisFile.push_back({FileCall::Read, k, "0000010"});
    for (const FailurePoint& point : pointsOfThisFile) {
      for (DWORD error : {5u, 23u, 38u, 0x45Du}) {
        SCOPED_TRACE(std::string(medium.what) + ": call " + std::to_string(int(point.call)) +
                     ", read " + std::to_string(point.nthRead) + ", error " + std::to_string(error));
        ChildOutcome run = RunInChild([&] {
          standin::Reset();
          standin::SetModulePath(modulePath);
          standin::FailFileCall(point.call, error, point.nthRead);
          RunAutolaunch();
        });
        ++points;
        const DWORD code = error & 0xFF;
        ASSERT_TRUE(run.exited) << "crashed: " << run.errors;
        EXPECT_EQ(run.exitCode, static_cast<int>(code));
        EXPECT_THAT(run.errors, HasSubstr(Report(code, point.location)));
        EXPECT_THAT(run.errors, Not(HasSubstr("ShellExecuteA")));
      }
    }
  }
  std::printf("file failure points exercised: %d\n", points);
}

// A broken pipe on a read is the end of the file: the lookup sees exactly the
// bytes that arrived before it.
TEST_F(FailurePoints, BrokenPipeOnAnyReadEndsTheFileThere) {
  for (const Medium& medium : Media()) {
    const std::string inf = Prepare(medium).inf;
    const int reads = ReadsOfTheLookup(inf);
    for (int k = 1; k <= reads; ++k) {
      const std::string arrived = medium.inf.substr(0, std::min<std::size_t>(medium.inf.size(), 128 * (k - 1)));
      const std::string cut = inf + ".cut";
      WriteTestFile(cut, arrived);
      const std::string expected = ReadSettingValue(cut, "autorun", "OPEN", "<none>");
      standin::Reset();
      standin::FailFileCall(FileCall::Read, ERROR_BROKEN_PIPE, k);
      EXPECT_EQ(ReadSettingValue(inf, "autorun", "OPEN", "<none>"), expected)
          << medium.what << ", broken pipe on read " << k;
    }
  }
}

// Fails the n-th allocation of a whole run, for every n until a run gets
// through without meeting its failure.
TEST_F(FailurePoints, EveryFailingAllocationEndsWith203) {
  for (const Medium& medium : Media()) {
    const std::string modulePath = Prepare(medium).modulePath;
    int points = 0;
    for (long n = 1;; ++n) {
      ChildOutcome run = RunInChild([&] {
        standin::Reset();
        standin::SetModulePath(modulePath);
        standin::FailAllocation(n);
        RunAutolaunch();
      });
      ASSERT_TRUE(run.exited) << medium.what << ", allocation " << n << " crashed: " << run.errors;
      if (run.exitCode == 0) {
        EXPECT_THAT(run.errors, Not(HasSubstr("MessageBoxA"))) << medium.what;
        break;
      }
      ++points;
      EXPECT_EQ(run.exitCode, 203) << medium.what << ", allocation " << n;
      EXPECT_THAT(run.errors, HasSubstr(Report(203, "00000200")));
      EXPECT_THAT(run.errors, Not(HasSubstr("ShellExecuteA")));
      ASSERT_LT(n, 10000) << "the run never got through";
    }
    EXPECT_GT(points, 3) << medium.what;
    std::printf("%s: %d allocation points exercised\n", medium.what, points);
  }
}

}  // namespace
