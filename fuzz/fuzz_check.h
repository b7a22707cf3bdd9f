#pragma once

// A property a fuzz target found broken: the message on standard error, then abort, which the
// fuzzer and the corpus replay both count as a crash.

#include <cstdio>
#include <cstdlib>

namespace velmora::fuzz {

inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

}  // namespace velmora::fuzz
