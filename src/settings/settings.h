// Looking up one value in an INI-style settings file.
#pragma once

#include <string>

// The text after the first '=' of the first line in a section named
// `section` whose key part is `key`, or defaultValue when there is none.
// Section names and keys match regardless of ASCII letter case. A file that
// cannot be opened or read ends the process with the fatal report.
std::string ReadSettingValue(const std::string& fileName, const std::string& section,
                             const std::string& key, const std::string& defaultValue);

// s without leading and trailing bytes 0x00 to 0x20 (blanks and control bytes).
std::string TrimBlanks(const std::string& s);

// s with a to z turned into A to Z; every other byte stays as it is.
std::string UpperAscii(const std::string& s);

// Whether a and b are the same but for the case of ASCII letters.
bool EqualsIgnoringAsciiCase(const std::string& a, const std::string& b);
