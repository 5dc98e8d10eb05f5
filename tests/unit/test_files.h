// Fixture files for the tests: a fresh folder per test, files written byte
// for byte. Paths use '/', which both Windows and the stand-ins accept.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

inline std::string FreshTestFolder() {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  for (char& c : name)
    if (c == '/') c = '_';
  const std::filesystem::path folder = std::filesystem::current_path() / "fixtures" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.generic_string() + "/";
}

inline void WriteTestFile(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(file.good()) << "cannot write " << path;
}

// A fixture path as the program sees it on Windows: '/' becomes '\\' (the
// stand-ins turn it back).
inline std::string WindowsPath(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// A file of the given bytes in a fresh folder; returns its path.
inline std::string TestFileWith(const std::string& bytes) {
  const std::string path = FreshTestFolder() + "autorun.inf";
  WriteTestFile(path, bytes);
  return path;
}
