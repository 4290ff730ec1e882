// Skips a test whose prerequisite (generated media, a peer tool) is missing, except in runs that
// promise everything is present: there the same condition fails, so nothing passes by being
// skipped.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace qs_test {

// `make test` sets QS_REQUIRE_MEDIA=1: it has built the media and installed every tool, so a
// missing prerequisite there is a broken build, not a developer's partial tree.
inline bool SkipsAreFailures() {
  const char* value = std::getenv("QS_REQUIRE_MEDIA");
  return value != nullptr && std::strcmp(value, "0") != 0 && value[0] != '\0';
}

}  // namespace qs_test

// Use as a statement: `if (!HaveTool("cjpeg")) QS_SKIP_MISSING("cjpeg not installed");`.
// The reason may be a stream expression: QS_SKIP_MISSING("font " << path << " not found").
#define QS_SKIP_MISSING(why)                                                     \
  do {                                                                           \
    if (::qs_test::SkipsAreFailures())                                           \
      GTEST_FAIL() << "missing prerequisite (QS_REQUIRE_MEDIA is set): " << why; \
    else                                                                         \
      GTEST_SKIP() << why;                                                       \
  } while (false)
