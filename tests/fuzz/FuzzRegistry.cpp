// Feeds arbitrary bytes to the settings store's text parser; whatever it accepts must write back
// to a text that parses to the same tree and writes back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "persist/RegistryTree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const char* reason = nullptr;
  const std::optional<RegistryTree> tree = RegistryTree::Parse(text, &reason);
  if (!tree) {
    if (reason == nullptr) std::abort();
    return 0;
  }
  const std::string saved = tree->Serialise();
  const std::optional<RegistryTree> again = RegistryTree::Parse(saved);
  if (!again || !(*again == *tree) || again->Serialise() != saved) std::abort();
  return 0;
}
