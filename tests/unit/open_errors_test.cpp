// What the file system answers when autorun.inf cannot be opened, as the
// exit code of the fatal report. These run against the real file API under
// Wine too, so the codes are Windows' own.
#include "settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform.h"
#include "test_files.h"

namespace {

using testing::ExitedWithCode;

void LookUp(const std::string& path) { ReadSettingValue(path, "autorun", "open", ""); }

TEST(OpenErrorsDeathTest, MissingFileEndsWithCode2) {
  const std::string folder = FreshTestFolder();
  EXPECT_EXIT(LookUp(folder + "autorun.inf"), ExitedWithCode(2), "");
}

TEST(OpenErrorsDeathTest, MissingFolderEndsWithCode3) {
  const std::string folder = FreshTestFolder();
  EXPECT_EXIT(LookUp(folder + "no such folder/autorun.inf"), ExitedWithCode(3), "");
}

TEST(OpenErrorsDeathTest, FolderInPlaceOfTheFileEndsWithCode5) {
  const std::string folder = FreshTestFolder();
  std::filesystem::create_directory(folder + "autorun.inf");
  EXPECT_EXIT(LookUp(folder + "autorun.inf"), ExitedWithCode(5), "");
}

HANDLE OpenForWriting(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(OpenErrorsDeathTest, FileHeldOpenForWritingEndsWithCode32) {
  const std::string path = TestFileWith("[autorun]\nopen=x\n");
  EXPECT_EXIT(
      {
        if (OpenForWriting(path) == INVALID_HANDLE_VALUE) ExitProcess(100);
        LookUp(path);
      },
      ExitedWithCode(32), "");
}

TEST(OpenErrors, FileHeldOpenForReadingIsStillRead) {
  const std::string path = TestFileWith("[autorun]\nopen=x\n");
  HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReadSettingValue(path, "autorun", "open", ""), "x");
  CloseHandle(reader);
}

}  // namespace
