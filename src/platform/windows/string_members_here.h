// Force-included first in the shipped executable's sources.
//
// libstdc++ declares std::string's members "extern template", to be taken
// from its library, which the freestanding build does not link. Switching
// that off lets the compiler build just the members the program uses.
#pragma once
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0
