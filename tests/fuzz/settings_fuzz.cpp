// Feeds arbitrary bytes as autorun.inf through the real ReadSettingValue and
// TextLineReader (on the Linux stand-ins) and compares what they find with a
// deliberately simple model of the file rules below, which splits the whole
// file into lines first and scans them after: a mistake at a 128-byte read
// boundary shows up as a difference.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings.h"

namespace model {

// The file up to its first 0x1A, cut at each LF, with every CR dropped. A
// last piece after the final LF is no line.
std::vector<std::string> Lines(std::string bytes) {
  const std::string::size_type endOfFile = bytes.find('\x1A');
  if (endOfFile != std::string::npos) bytes.resize(endOfFile);
  std::vector<std::string> lines;
  std::string line;
  for (char c : bytes) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!bytes.empty() && bytes.back() != '\n') lines.push_back(line);
  return lines;
}

std::string Trim(const std::string& s) {
  std::size_t first = 0, last = s.size();
  while (first < last && static_cast<unsigned char>(s[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(s[last - 1]) <= ' ') --last;
  return s.substr(first, last - first);
}

bool SameIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}

std::string Lookup(const std::string& bytes, const std::string& section, const std::string& key,
                   const std::string& fallback) {
  std::string current;
  for (const std::string& raw : Lines(bytes)) {
    const std::string line = Trim(raw);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = line.substr(1, line.size() - 2);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (SameIgnoringAsciiCase(current, section) && equals != std::string::npos &&
        SameIgnoringAsciiCase(line.substr(0, equals), key))
      return line.substr(equals + 1);
  }
  return fallback;
}

}  // namespace model

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "fuzz-input.inf";
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) std::abort();
  std::fclose(file);

  struct Question {
    const char* section;
    const char* key;
  };
  for (const Question& q : {Question{"autorun", "OPEN"}, Question{"", "k"}, Question{"a b", "x=y"}}) {
    const std::string found = ReadSettingValue(path, q.section, q.key, "\x01none");
    const std::string expected = model::Lookup(bytes, q.section, q.key, "\x01none");
    if (found != expected) {
      std::fprintf(stderr, "difference for [%s] %s: found \"%s\", model \"%s\"\n", q.section,
                   q.key, found.c_str(), expected.c_str());
      std::abort();
    }
  }
  return 0;
}
