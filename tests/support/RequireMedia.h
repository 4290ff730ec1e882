// Skips a test whose prerequisite (generated media, a peer tool) is missing, except in runs that
// promise everything is present (`make test` sets QS_REQUIRE_MEDIA=1): there it fails.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace qs_test {

inline bool SkipsAreFailures() {
  const char* value = std::getenv("QS_REQUIRE_MEDIA");
  return value != nullptr && std::strcmp(value, "0") != 0 && value[0] != '\0';
}

}  // namespace qs_test

// A statement, and the reason may be a stream expression:
// `if (!exists(path)) QS_SKIP_MISSING("font " << path << " not found");`.
#define QS_SKIP_MISSING(why)                                                     \
  do {                                                                           \
    if (::qs_test::SkipsAreFailures())                                           \
      GTEST_FAIL() << "missing prerequisite (QS_REQUIRE_MEDIA is set): " << why; \
    else                                                                         \
      GTEST_SKIP() << why;                                                       \
  } while (false)
