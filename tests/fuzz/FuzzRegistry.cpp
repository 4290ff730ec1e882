// Feeds arbitrary bytes to the settings store's text parser. Whatever it takes must write back
// within the reader's cap, to a text that parses, with no line left out, to the same tree and
// writes back to the same bytes; and no input may take more than 50 ms of CPU time to parse,
// which a parse that is not linear in its input soon does.
#include <time.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "persist/RegistryTree.h"

namespace {

[[noreturn]] void Fail(const char* why) {
  std::fprintf(stderr, "fuzz_registry: %s\n", why);
  std::abort();
}

}  // namespace

// The CPU time this thread spent parsing, so that a machine busy with other work, which stops the
// fuzzer for a while, is not taken for a slow parse.
std::chrono::nanoseconds ParseTime(std::string_view text, RegistryParseResult* out) {
  timespec before{}, after{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &before);
  RegistryParseResult parsed = RegistryTree::ParseLines(text);
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &after);
  if (out != nullptr) *out = std::move(parsed);
  return std::chrono::seconds(after.tv_sec - before.tv_sec) +
         std::chrono::nanoseconds(after.tv_nsec - before.tv_nsec);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RegistryParseResult parsed;
  constexpr std::chrono::milliseconds kLimit(50);
  // A parse over the limit is timed twice more: a page fault or a cache gone cold can slow one
  // run, but a parse that is not linear is slow every time.
  if (ParseTime(text, &parsed) > kLimit && ParseTime(text, nullptr) > kLimit &&
      ParseTime(text, nullptr) > kLimit) {
    Fail("parsing took more than 50 ms of CPU time, three times");
  }
  const char* reason = nullptr;
  const bool strict = RegistryTree::Parse(text, &reason).has_value();
  if (strict != (parsed.headerFound && parsed.skipped.empty()) || (!strict && reason == nullptr)) {
    Fail("the strict parse disagrees with the lines left out");
  }
  if (!parsed.headerFound) return 0;
  const RegistryTree& tree = parsed.tree;
  const std::string saved = tree.Serialise();
  if (saved.size() != tree.SerialisedSize()) Fail("the tree's own size is wrong");
  if (saved.size() > kRegistryMaxBytes) Fail("the text written is larger than the reader takes");
  const std::optional<RegistryTree> again = RegistryTree::Parse(saved);
  if (!again || !(*again == tree) || again->Serialise() != saved) Fail("no round trip");
  return 0;
}
