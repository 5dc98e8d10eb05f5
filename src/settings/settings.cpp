#include "settings.h"

#include "text_line_reader.h"

namespace {

char UpperAsciiByte(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

bool IsSectionHeader(const std::string& line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace

std::string TrimBlanks(const std::string& s) {
  std::string::size_type first = 0;
  std::string::size_type last = s.size();
  while (first < last && IsBlank(s[first])) ++first;
  while (last > first && IsBlank(s[last - 1])) --last;
  return s.substr(first, last - first);
}

std::string UpperAscii(const std::string& s) {
  std::string upper = s;
  for (char& c : upper) c = UpperAsciiByte(c);
  return upper;
}

bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::string::size_type i = 0; i < a.size(); ++i)
    if (UpperAsciiByte(a[i]) != UpperAsciiByte(b[i])) return false;
  return true;
}

std::string ReadSettingValue(const std::string& fileName, const std::string& section,
                             const std::string& key, const std::string& defaultValue) {
  const std::string wantedSection = UpperAscii(section);
  std::string result = defaultValue;
  std::string currentSection;  // upper case; lines before any header have ""

  TextLineReader reader;
  Open(reader, fileName);
  while (!AtEnd(reader)) {
    const std::string line = TrimBlanks(ReadLine(reader));
    if (line.empty()) continue;
    if (IsSectionHeader(line)) {
      currentSection = UpperAscii(line.substr(1, line.size() - 2));
      continue;
    }
    if (currentSection != wantedSection) continue;
    const std::string::size_type equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (!EqualsIgnoringAsciiCase(line.substr(0, equals), key)) continue;  // no trimming here
    result = line.substr(equals + 1);
    break;
  }
  Close(reader);
  return result;
}
