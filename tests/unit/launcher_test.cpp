#include "launcher.h"

#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "stand_in_control.h"
#include "case_table.h"
#include "test_files.h"

namespace {

using testing::AllOf;
using testing::ExitedWithCode;
using testing::HasSubstr;
using testing::Not;

std::string S(const char* bytes, std::size_t size) { return std::string(bytes, size); }

TEST(FolderOfPath, KeepsEverythingUpToTheLastBackslashOrColon) {
  EXPECT_EQ(FolderOfPath("C:\\media\\go.exe"), "C:\\media\\");
  EXPECT_EQ(FolderOfPath("C:\\a\\b.exe"), "C:\\a\\");
  EXPECT_EQ(FolderOfPath("C:b.exe"), "C:");
  EXPECT_EQ(FolderOfPath("D:\\"), "D:\\");
  EXPECT_EQ(FolderOfPath("\\\\server\\share\\x.exe"), "\\\\server\\share\\");
  EXPECT_EQ(FolderOfPath("a:b\\c:d"), "a:b\\c:");
  EXPECT_EQ(FolderOfPath("go.exe"), "");
  EXPECT_EQ(FolderOfPath(""), "");
}

TEST(LastDelimiterPos, CountsFromOneAndNeverMatchesAZeroByte) {
  EXPECT_EQ(LastDelimiterPos("\\:", "C:\\a\\b"), 5u);
  EXPECT_EQ(LastDelimiterPos("\\:", "abc"), 0u);
  EXPECT_EQ(LastDelimiterPos("\\:", ""), 0u);
  EXPECT_EQ(LastDelimiterPos(S("\0:", 2), S("a:b\0c", 5)), 2u);
  EXPECT_EQ(LastDelimiterPos(S("\0", 1), S("\0\0", 2)), 0u);
}

// autorun.inf in a fixture folder that stands in for the medium's root.
class Launch : public testing::Test {
 protected:
  void SetUp() override {
    standin::Reset();
    folder_ = FreshTestFolder();
    ProgramFolder = WindowsPath(folder_);
    ProgramPath = ProgramFolder + "autolaunch.exe";
  }
  void TearDown() override {
    ProgramFolder.clear();
    ProgramPath.clear();
  }
  // Runs LaunchAutorun over a file of these lines; returns its answer.
  bool LaunchWith(const std::string& lines) {
    WriteTestFile(folder_ + "autorun.inf", lines);
    return LaunchAutorun();
  }
  std::string folder_;
};

struct LaunchCase {
  const char* what;
  std::string entry;       // the line in [autorun]
  std::string file;        // expected, after ProgramFolder
  std::string parameters;  // expected
};
PRINT_CASE_AS_WHAT(LaunchCase)


class LaunchCommand : public Launch, public testing::WithParamInterface<LaunchCase> {};

TEST_P(LaunchCommand, HandsTheShellFileParametersAndFolder) {
  const LaunchCase& c = GetParam();
  ASSERT_TRUE(LaunchWith("[autorun]\r\n" + c.entry + "\r\n")) << c.what;
  ASSERT_EQ(standin::ShellRequests().size(), 1u);
  const standin::ShellRequest& request = standin::ShellRequests()[0];
  EXPECT_EQ(request.file, ProgramFolder + c.file) << c.what;
  EXPECT_EQ(request.parameters, c.parameters) << c.what;
  EXPECT_EQ(request.directory, ProgramFolder);
  EXPECT_TRUE(request.windowIsNull);
  EXPECT_TRUE(request.operationIsNull) << "the file's default verb";
  EXPECT_FALSE(request.fileIsNull || request.parametersIsNull || request.directoryIsNull);
  EXPECT_EQ(request.showCommand, SW_SHOWNORMAL);
}

INSTANTIATE_TEST_SUITE_P(
    LaunchAutorun, LaunchCommand,
    testing::Values(
        LaunchCase{"plain", "open=setup.exe", "setup.exe", ""},
        LaunchCase{"parameters", "open=setup.exe /auto now", "setup.exe", "/auto now"},
        LaunchCase{"subfolder", "open=\\install\\setup.exe", "install\\setup.exe", ""},
        LaunchCase{"two leading backslashes keep one", "open=\\\\x.exe", "\\x.exe", ""},
        LaunchCase{"absolute path is joined anyway", "open=C:\\other\\x.exe", "C:\\other\\x.exe", ""},
        LaunchCase{"quotes do not group", "open=\"My Setup.exe\"", "\"My", "Setup.exe\""},
        LaunchCase{"blank after equals opens the folder", "open= setup.exe", "", "setup.exe"},
        LaunchCase{"lone backslash is the folder", "open=\\", "", ""},
        LaunchCase{"document", "open=readme.htm", "readme.htm", ""},
        LaunchCase{"two blanks", "open=a  b", "a", " b"},
        LaunchCase{"tab does not separate", "open=a\tb", "a\tb", ""},
        LaunchCase{"trailing blanks trimmed", "open=x.exe \t ", "x.exe", ""},
        LaunchCase{"only the first open counts", "open=one.exe\r\nopen=two.exe", "one.exe", ""},
        LaunchCase{"zero byte ends the file text", S("open=a\0b c", 10), "a", "c"},
        LaunchCase{"zero byte ends the parameters", S("open=a b\0c", 10), "a", "b"},
        LaunchCase{"other program of a similar name", "open=autolaunch.exe.exe", "autolaunch.exe.exe", ""}),
    NameOfCase<LaunchCase>);

TEST_F(Launch, LaunchesNothingWithoutACommand) {
  for (const char* lines : {"", "[autorun]\r\nopen=\r\n", "[autorun]\r\nopen=   \r\n",
                            "[autorun]\r\nicon=x.ico\r\n", "[other]\r\nopen=x.exe\r\n",
                            "[autorun]\r\nopen =x.exe\r\n", "[autorun]\r\n;open=x.exe\r\n",
                            "[ autorun ]\r\nopen=x.exe\r\n"}) {
    EXPECT_FALSE(LaunchWith(lines)) << lines;
  }
  EXPECT_TRUE(standin::ShellRequests().empty());
}

TEST_F(Launch, NeverLaunchesItself) {
  for (const char* lines : {"[autorun]\r\nopen=autolaunch.exe\r\n",
                            "[autorun]\r\nopen=\\AutoLaunch.EXE /again\r\n"}) {
    EXPECT_FALSE(LaunchWith(lines)) << lines;
  }
  EXPECT_TRUE(standin::ShellRequests().empty());
}

TEST_F(Launch, WithoutAKnownOwnPathEveryCommandRuns) {
  ProgramPath.clear();
  EXPECT_TRUE(LaunchWith("[autorun]\r\nopen=autolaunch.exe\r\n"));
  EXPECT_EQ(standin::ShellRequests().size(), 1u);
}

// The whole run, from the executable's path to the exit code.
class RunDeathTest : public testing::Test {
 protected:
  void SetUp() override { standin::Reset(); }
};

std::string ShellRequestLine(const std::string& file, const std::string& parameters,
                             const std::string& directory) {
  return "ShellExecuteA window=null operation=null file=\"" + file + "\" parameters=\"" +
         parameters + "\" directory=\"" + directory + "\" show=1";
}

TEST_F(RunDeathTest, LaunchesFromTheExecutablesFolderAndExitsWith0) {
  const std::string folder = FreshTestFolder();
  WriteTestFile(folder + "autorun.inf", "[autorun]\r\nopen=setup.exe /s\r\n");
  const std::string windowsFolder = WindowsPath(folder);
  standin::SetModulePath(windowsFolder + "autolaunch.exe");
  EXPECT_EXIT(RunAutolaunch(), ExitedWithCode(0),
              HasSubstr(ShellRequestLine(windowsFolder + "setup.exe", "/s", windowsFolder)));
}

TEST_F(RunDeathTest, FindsItsFolderBehindAPathLongerThan260Characters) {
  std::string folder = FreshTestFolder();
  for (int i = 0; i < 4; ++i) folder += std::string(90, 'a' + i) + "/";
  std::filesystem::create_directories(folder);
  WriteTestFile(folder + "autorun.inf", "[autorun]\r\nopen=deep.exe\r\n");
  const std::string windowsFolder = WindowsPath(folder);
  ASSERT_GT(windowsFolder.size(), 400u);
  standin::SetModulePath(windowsFolder + "autolaunch.exe");
  EXPECT_EXIT(RunAutolaunch(), ExitedWithCode(0),
              HasSubstr(ShellRequestLine(windowsFolder + "deep.exe", "", windowsFolder)));
}

// The whole run with `folder` as the current folder (in the dying child).
void RunAutolaunchIn(const std::string& folder) {
  if (chdir(folder.c_str()) != 0) ExitProcess(100);
  RunAutolaunch();
}

TEST_F(RunDeathTest, DriveRelativePathGetsABackslashAfterTheColon) {
  // "C:b.exe" lives in "C:\"; the stand-ins find that folder as "C:/" here.
  const std::string folder = FreshTestFolder();
  std::filesystem::create_directories(folder + "C:");
  WriteTestFile(folder + "C:/autorun.inf", "[autorun]\r\nopen=x.exe\r\n");
  standin::SetModulePath("C:b.exe");
  EXPECT_EXIT(RunAutolaunchIn(folder), ExitedWithCode(0),
              HasSubstr(ShellRequestLine("C:\\x.exe", "", "C:\\")));
}

TEST_F(RunDeathTest, WithoutAPathReadsTheCurrentFolder) {
  const std::string folder = FreshTestFolder();
  WriteTestFile(folder + "autorun.inf", "[autorun]\r\nopen= x\r\n");
  standin::SetModulePath("");  // GetModuleFileNameA fails
  EXPECT_EXIT(RunAutolaunchIn(folder), ExitedWithCode(0),
              HasSubstr(ShellRequestLine("", "x", "")));
}

TEST_F(RunDeathTest, NoCommandExitsWith0AndLaunchesNothing) {
  const std::string folder = FreshTestFolder();
  WriteTestFile(folder + "autorun.inf", "[autorun]\r\nicon=x.ico\r\n");
  standin::SetModulePath(WindowsPath(folder) + "autolaunch.exe");
  EXPECT_EXIT(RunAutolaunch(), ExitedWithCode(0), Not(HasSubstr("ShellExecuteA")));
}

TEST_F(RunDeathTest, MissingSettingsFileReportsAndLaunchesNothing) {
  standin::SetModulePath(WindowsPath(FreshTestFolder()) + "autolaunch.exe");
  EXPECT_EXIT(RunAutolaunch(), ExitedWithCode(2),
              AllOf(HasSubstr("MessageBoxA owner=null caption=\"Error\" "
                              "text=\"Runtime error   2 at 00000101\" style=0"),
                    Not(HasSubstr("ShellExecuteA"))));
}

}  // namespace
