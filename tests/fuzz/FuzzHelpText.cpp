// libFuzzer target: the help file's reader on arbitrary bytes, for each game title; whatever comes
// out must stay within the viewer's tables.
#include <cstddef>
#include <cstdint>
#include <span>

#include "dialogs/HelpText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const char* title : {"Klondike", "Gate", "Auld Lang Syne"}) {
    const HelpSection section = ParseHelpSection(std::span(data, size), title);
    if (section.PageCount() > kHelpMaxPages) __builtin_trap();
    for (const HelpPage& page : section.pages) {
      if (static_cast<int>(page.lines.size()) > kHelpMaxLines) __builtin_trap();
      for (const auto& line : page.lines)
        if (static_cast<int>(line.size()) > kHelpMaxLineLength) __builtin_trap();
    }
  }
  return 0;
}
