#include "settings.h"

#include <gtest/gtest.h>

#include <string>

#include "case_table.h"
#include "test_files.h"

namespace {

std::string S(const char* bytes, std::size_t size) { return std::string(bytes, size); }

TEST(TrimBlanks, RemovesControlBytesAndBlanksAtBothEndsOnly) {
  EXPECT_EQ(TrimBlanks(""), "");
  EXPECT_EQ(TrimBlanks(" \t\r\n "), "");
  EXPECT_EQ(TrimBlanks(S("\0\x01 a b\x1F\0", 8)), "a b");
  EXPECT_EQ(TrimBlanks(" \xA0x\xFF "), "\xA0x\xFF") << "bytes above 0x7F are text";
  EXPECT_EQ(TrimBlanks("a\tb"), "a\tb");
}

TEST(UpperAscii, FoldsOnlyAsciiLetters) {
  EXPECT_EQ(UpperAscii("autoRun-1_z[]@`{"), "AUTORUN-1_Z[]@`{");
  EXPECT_EQ(UpperAscii("\xE4\xE9\xFF"), "\xE4\xE9\xFF");
  EXPECT_EQ(UpperAscii(S("a\0b", 3)), S("A\0B", 3));
}

TEST(EqualsIgnoringAsciiCase, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase("C:\\Media\\AutoLaunch.exe", "c:\\MEDIA\\autolaunch.EXE"));
  EXPECT_TRUE(EqualsIgnoringAsciiCase("", ""));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("a", "ab"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xE4", "\xC4")) << "no folding outside ASCII";
  EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{"));
}

struct LookupCase {
  const char* what;
  std::string file;
  std::string expected;  // "<default>" when the default must come back
};
PRINT_CASE_AS_WHAT(LookupCase)


class Lookup : public testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, FindsTheFirstMatchingLine) {
  const LookupCase& c = GetParam();
  EXPECT_EQ(ReadSettingValue(TestFileWith(c.file), "autorun", "OPEN", "<default>"), c.expected)
      << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    ReadSettingValue, Lookup,
    testing::Values(
        LookupCase{"empty file", "", "<default>"},
        LookupCase{"no such section", "[other]\r\nopen=x.exe\r\n", "<default>"},
        LookupCase{"plain", "[autorun]\r\nopen=go.exe\r\n", "go.exe"},
        LookupCase{"letter case", "[AutoRun]\nOpen=go.exe\n", "go.exe"},
        LookupCase{"blanks inside brackets", "[ autorun ]\nopen=x\n", "<default>"},
        LookupCase{"blanks around the line", "  [autorun]  \n\t open=x \t\r\n", "x"},
        LookupCase{"first match wins", "[autorun]\nopen=first.exe\nopen=second.exe\n", "first.exe"},
        LookupCase{"section repeated", "[autorun]\nicon=a.ico\n[x]\nopen=no\n[autorun]\nopen=yes\n", "yes"},
        LookupCase{"key before any header", "open=x\n[autorun]\n", "<default>"},
        LookupCase{"header [] ends the section", "[autorun]\n[]\nopen=x\n", "<default>"},
        LookupCase{"equals in value", "[autorun]\nopen==x\n", "=x"},
        LookupCase{"empty value", "[autorun]\nopen=\nopen=later\n", ""},
        LookupCase{"several equals", "[autorun]\nopen=a=b\n", "a=b"},
        LookupCase{"blanks after equals stay", "[autorun]\nopen=  a b\t \r\n", "  a b"},
        LookupCase{"blank before equals", "[autorun]\nopen = x\nopen=y\n", "y"},
        LookupCase{"comment line", "[autorun]\n;open=x\n", "<default>"},
        LookupCase{"header with comment is no header", "[other]\n[autorun] ; note\nopen=x\n", "<default>"},
        LookupCase{"comment after header keeps old section", "[autorun]\n[x] ; y\nopen=x\n", "x"},
        LookupCase{"lone [ is no header", "[autorun]\n[\nopen=x\n", "x"},
        LookupCase{"[x=y] is a header", "[autorun]\n[open=y]\nopen=z\n", "<default>"},
        LookupCase{"line without equals", "[autorun]\nopen\nopen=x\n", "x"},
        LookupCase{"other keys ignored", "[autorun]\nopener=no\nicon=i.ico\nopen=yes\n", "yes"},
        LookupCase{"long lines before", "[autorun]\n" + std::string(300, 'k') + "=v\nopen=deep\n", "deep"},
        LookupCase{"zero byte inside value", S("[autorun]\nopen=a\0b\n", 19), S("a\0b", 3)},
        LookupCase{"0x1A ends the search", "[autorun]\n\x1A" "open=x\n", "<default>"}),
    NameOfCase<LookupCase>);

TEST(ReadSettingValue, SectionAndKeyAsAskedMatchWithoutCase) {
  const std::string path = TestFileWith("[Other]\nKey=1\n[AUTORUN]\nopen=x\n");
  EXPECT_EQ(ReadSettingValue(path, "AutoRun", "Open", ""), "x");
  EXPECT_EQ(ReadSettingValue(path, "other", "KEY", ""), "1");
  EXPECT_EQ(ReadSettingValue(path, "", "open", "none"), "none");
}

TEST(ReadSettingValue, TheEmptySectionHoldsTheLinesBeforeTheFirstHeader) {
  const std::string path = TestFileWith("top=1\n[a]\ntop=2\n");
  EXPECT_EQ(ReadSettingValue(path, "", "top", ""), "1");
}

TEST(ReadSettingValue, ClosesTheFileSoItCanBeReadAgain) {
  const std::string path = TestFileWith("[autorun]\nopen=x\n");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ReadSettingValue(path, "autorun", "open", ""), "x");
  std::filesystem::remove(path);  // fails on Windows while a handle is left open
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
