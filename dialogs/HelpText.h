// The rules texts of the games: one section of the help file, split into the pages and lines the
// rule-help viewer shows. Pure reading, no drawing: the file may hold anything, and whatever it
// holds comes out as at most kHelpMaxPages pages of at most kHelpMaxLines lines of at most
// kHelpMaxLineLength bytes each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kHelpMaxPages = 20;
inline constexpr int kHelpMaxLines = 80;
inline constexpr int kHelpMaxLineLength = 99;
// Lines are read in pieces of this many bytes, terminating zero included: a longer line reads as
// several lines.
inline constexpr int kHelpLineBuffer = 256;
// A help file larger than this is not read at all; the real one is a few kilobytes.
inline constexpr std::size_t kHelpFileCap = 1u << 20;

struct HelpPage {
  // Lines as the file has them, line ends removed: a label line keeps its leading '+', an empty
  // line is an empty row.
  std::vector<std::string> lines;
};

struct HelpSection {
  // Empty when the file or the section is missing.
  std::vector<HelpPage> pages;
  int PageCount() const { return static_cast<int>(pages.size()); }
};

// The section of `gameTitle` in the bytes of a help file. The header is the first line whose
// start equals "[<gameTitle>]"; the section runs to the next line starting with '[' or the end.
// A line starting with "<BR>" starts the next page; past the page limit the rest of the section
// is dropped, past the line limit the rest of the page, past the length limit the rest of a line.
HelpSection ParseHelpSection(std::span<const std::uint8_t> bytes, std::string_view gameTitle);

// The same read from a file (the installed help file is MediaPath("HELP.TXT")); a missing,
// unreadable or oversized file gives an empty section.
HelpSection LoadHelpSection(const std::string& path, std::string_view gameTitle);

// True for a line drawn as a label in the left column; its text is what follows the '+'.
inline bool IsHelpLabel(std::string_view line) {
  return !line.empty() && line.front() == '+';
}
