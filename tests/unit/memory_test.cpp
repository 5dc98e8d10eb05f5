// Memory held while reading large files, measured by the test build's
// counting allocator: besides the reader's 128-byte buffer, only the current
// line is held, whatever the size of the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "settings.h"
#include "stand_in_control.h"
#include "test_files.h"

namespace {

// The most bytes held on the heap during one lookup, beyond what was held
// before it.
std::size_t PeakHeapOfLookup(const std::string& path, std::string* value) {
  standin::ResetPeakHeap();
  const std::size_t before = standin::PeakHeapBytes();
  *value = ReadSettingValue(path, "autorun", "OPEN", "");
  return standin::PeakHeapBytes() - before;
}

TEST(Memory, HundredMegabytesOfShortLinesNeedNoMoreThanAShortLine) {
  const std::string path = FreshTestFolder() + "autorun.inf";
  {
    std::ofstream file(path, std::ios::binary);
    const std::string block = [] {
      std::string lines;
      for (int i = 0; i < 4096; ++i) lines += "; a short line\r\n";  // 16 bytes each
      return lines;
    }();
    for (int i = 0; i < 100 * 1024 * 1024 / static_cast<int>(block.size()); ++i) file << block;
    file << "[autorun]\r\nopen=found.exe /at the end\r\n";
  }
  std::string value;
  const std::size_t peak = PeakHeapOfLookup(path, &value);
  EXPECT_EQ(value, "found.exe /at the end");
  std::printf("peak heap for a 100 MB file of short lines: %zu bytes\n", peak);
  EXPECT_LT(peak, 1024u) << "short lines fit in the strings themselves";
}

TEST(Memory, FiftyMegabyteLineIsReadWhole) {
  const std::string path = FreshTestFolder() + "autorun.inf";
  const std::size_t length = 50 * 1024 * 1024;
  {
    std::ofstream file(path, std::ios::binary);
    file << "[autorun]\r\nopen=" << std::string(length, 'x') << "\r\n";
  }
  std::string value;
  const std::size_t peak = PeakHeapOfLookup(path, &value);
  EXPECT_EQ(value.size(), length);
  EXPECT_EQ(value.find_first_not_of('x'), std::string::npos);
  std::printf("peak heap for a 50 MB line: %zu bytes (%.2f times the line)\n", peak,
              static_cast<double>(peak) / length);
  EXPECT_LT(peak, 6 * length) << "a few copies of the longest line at most";
}

}  // namespace
