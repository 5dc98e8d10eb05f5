// Tables of cases for parameterized tests: each case carries a `what`, which
// names the test and is what a failure prints for it.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

template <typename Case>
std::string NameOfCase(const testing::TestParamInfo<Case>& info) {
  std::string name;
  for (const char* c = info.param.what; *c; ++c)
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
}

#define PRINT_CASE_AS_WHAT(Case) \
  inline void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }
