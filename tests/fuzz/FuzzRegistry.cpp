// libFuzzer target: arbitrary bytes to the settings store's text parser. Whatever it takes must
// write back within the reader's cap, to a text that parses whole to the same tree and the same
// bytes; and no input may take more than 50 ms of CPU time, as a parse not linear soon does.
#include <time.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "persist/RegistryTree.h"

namespace {

void Require(bool condition, const char* why) {
  if (condition) return;
  std::fprintf(stderr, "fuzz_registry: %s\n", why);
  std::abort();
}

// The CPU time this thread spent parsing, so that a machine busy with other work, which stops the
// fuzzer for a while, is not taken for a slow parse.
bool ParsedWithinLimit(std::string_view text, RegistryParseResult& out) {
  timespec before{}, after{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &before);
  out = RegistryTree::ParseLines(text);
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &after);
  return (after.tv_sec - before.tv_sec) * 1'000'000'000L + (after.tv_nsec - before.tv_nsec) <=
         50'000'000L;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RegistryParseResult parsed, again;
  // Timed up to three times: a page fault or a cold cache can slow one run, but a parse that is
  // not linear is slow every time.
  Require(ParsedWithinLimit(text, parsed) || ParsedWithinLimit(text, again) ||
              ParsedWithinLimit(text, again),
          "parsing took more than 50 ms of CPU time, three times");
  const char* reason = nullptr;
  const bool strict = RegistryTree::Parse(text, &reason).has_value();
  Require(strict == (parsed.headerFound && parsed.skipped.empty()) && (strict || reason != nullptr),
          "the strict parse disagrees with the lines left out");
  if (!parsed.headerFound) return 0;
  const std::string saved = parsed.tree.Serialise();
  Require(saved.size() == parsed.tree.SerialisedSize(), "the tree's own size is wrong");
  Require(saved.size() <= kRegistryMaxBytes, "the text written is larger than the reader takes");
  const std::optional<RegistryTree> reread = RegistryTree::Parse(saved);
  Require(reread && *reread == parsed.tree && reread->Serialise() == saved, "no round trip");
  return 0;
}
