// Feeds arbitrary bytes to the settings store's text parser. Whatever it takes must write back
// within the reader's cap, to a text that parses, with no line left out, to the same tree and
// writes back to the same bytes; and no input may take more than 50 ms to parse, which a parse
// that is not linear in its input soon does.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "persist/RegistryTree.h"

namespace {

[[noreturn]] void Fail(const char* why) {
  std::fprintf(stderr, "fuzz_registry: %s\n", why);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto start = std::chrono::steady_clock::now();
  const RegistryParseResult parsed = RegistryTree::ParseLines(text);
  if (std::chrono::steady_clock::now() - start > std::chrono::milliseconds(50)) {
    Fail("parsing took more than 50 ms");
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
