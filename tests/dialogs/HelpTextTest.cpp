// The help file's reader on hand-made files: which header opens a section, where it ends, pages
// and labels, and files that are damaged or hostile, which must come out within the viewer's
// limits.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "dialogs/HelpText.h"
#include "platform/FileBytes.h"

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

HelpSection Parse(const std::string& text, const std::string& title) {
  const std::vector<std::uint8_t> bytes = Bytes(text);
  return ParseHelpSection(bytes, title);
}

// Every page, line and character within the viewer's tables.
void ExpectWithinLimits(const HelpSection& section) {
  EXPECT_LE(section.PageCount(), kHelpMaxPages);
  for (const HelpPage& page : section.pages) {
    EXPECT_LE(static_cast<int>(page.lines.size()), kHelpMaxLines);
    for (const std::string& line : page.lines) {
      EXPECT_LE(static_cast<int>(line.size()), kHelpMaxLineLength);
      EXPECT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
    }
  }
}

TEST(HelpTextTest, OnlyTheHeadersOwnLengthIsCompared) {
  const std::string file =
      "[Gate Rules]\nwrong section\n"
      "[Gat]\nshort header\n"
      "[Gate] and a remark\nright section\n"
      "[Gate]\nsecond Gate section is never reached\n";
  const HelpSection gate = Parse(file, "Gate");
  ASSERT_EQ(gate.PageCount(), 1);
  EXPECT_EQ(gate.pages[0].lines, std::vector<std::string>{"right section"});

  EXPECT_EQ(Parse("[Gate Rules]\ntext\n", "Gate").PageCount(), 0);
  EXPECT_EQ(Parse(" [Gate]\ntext\n", "Gate").PageCount(), 0) << "the header starts the line";
  EXPECT_EQ(Parse("[gate]\ntext\n", "Gate").PageCount(), 0) << "case counts";
  // Titles with spaces are matched whole.
  const HelpSection auld = Parse("[Auld Lang]\nno\n[Auld Lang Syne]\nyes\n", "Auld Lang Syne");
  ASSERT_EQ(auld.PageCount(), 1);
  EXPECT_EQ(auld.pages[0].lines, std::vector<std::string>{"yes"});
}

TEST(HelpTextTest, ASectionEndsAtTheNextBracketLineOrTheEnd) {
  const std::string file = "[Klondike]\none\n\ntwo\n[anything\nnot mine\n[Quadrille]\nlast";
  const HelpSection klondike = Parse(file, "Klondike");
  ASSERT_EQ(klondike.PageCount(), 1);
  EXPECT_EQ(klondike.pages[0].lines, (std::vector<std::string>{"one", "", "two"}));

  const HelpSection quadrille = Parse(file, "Quadrille");
  ASSERT_EQ(quadrille.PageCount(), 1);
  EXPECT_EQ(quadrille.pages[0].lines, std::vector<std::string>{"last"}) << "no line end at EOF";

  // A header on the last line opens a section with one empty page.
  const HelpSection bare = Parse("text\n[Block Solitaire]", "Block Solitaire");
  ASSERT_EQ(bare.PageCount(), 1);
  EXPECT_TRUE(bare.pages[0].lines.empty());
}

TEST(HelpTextTest, BreakLinesStartPagesAndLabelsKeepTheirMark) {
  const HelpSection one = Parse("[Gate]\n+Object\nBuild up.\n", "Gate");
  ASSERT_EQ(one.PageCount(), 1);
  ASSERT_EQ(one.pages[0].lines.size(), 2u);
  EXPECT_TRUE(IsHelpLabel(one.pages[0].lines[0]));
  EXPECT_EQ(one.pages[0].lines[0], "+Object");
  EXPECT_FALSE(IsHelpLabel(one.pages[0].lines[1]));
  EXPECT_FALSE(IsHelpLabel(""));

  const HelpSection three =
      Parse("[Gate]\na\n<BR>\nb\n<BR> the rest of a break line is ignored\nc\nd\n", "Gate");
  ASSERT_EQ(three.PageCount(), 3);
  EXPECT_EQ(three.pages[0].lines, std::vector<std::string>{"a"});
  EXPECT_EQ(three.pages[1].lines, std::vector<std::string>{"b"});
  EXPECT_EQ(three.pages[2].lines, (std::vector<std::string>{"c", "d"}));

  // A break straight after the header leaves an empty first page, as the file says.
  const HelpSection leading = Parse("[Gate]\n<BR>\nx\n", "Gate");
  ASSERT_EQ(leading.PageCount(), 2);
  EXPECT_TRUE(leading.pages[0].lines.empty());
  // "<br>" and "<BR" are text.
  EXPECT_EQ(Parse("[Gate]\n<br>\n<BR\n", "Gate").PageCount(), 1);
}

TEST(HelpTextTest, LineEndsAreCutAndWindowsLineEndsReadAsOne) {
  const HelpSection crlf = Parse("[Gate]\r\n+Label\r\ntext\r\n\r\nmore\rhidden\n", "Gate");
  ASSERT_EQ(crlf.PageCount(), 1);
  EXPECT_EQ(crlf.pages[0].lines, (std::vector<std::string>{"+Label", "text", "", "more"}));
  // A line of 254 bytes with CR LF still fits one 256-byte read, as in text mode.
  const std::string line(254, 'x');
  const HelpSection fits = Parse("[Gate]\r\n" + line + "\r\nnext\r\n", "Gate");
  ASSERT_EQ(fits.PageCount(), 1);
  EXPECT_EQ(fits.pages[0].lines.size(), 2u);
}

TEST(HelpTextTest, MissingFileOrSectionLoadsNothing) {
  EXPECT_EQ(LoadHelpSection("/nonexistent/dir/HELP.TXT", "Klondike").PageCount(), 0);
  EXPECT_EQ(Parse("", "Klondike").PageCount(), 0);
  EXPECT_EQ(Parse("[Gate]\ntext\n", "Klondike").PageCount(), 0);

  // Read through the file reader as the viewer reads it.
  char path[] = "/tmp/qs-help-XXXXXX";
  const int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  const std::vector<std::uint8_t> bytes = Bytes("[Klondike]\nfrom a file\n");
  ASSERT_TRUE(WriteFileBytes(path, bytes.data(), bytes.size()));
  const HelpSection loaded = LoadHelpSection(path, "Klondike");
  std::remove(path);
  ASSERT_EQ(loaded.PageCount(), 1);
  EXPECT_EQ(loaded.pages[0].lines, std::vector<std::string>{"from a file"});
}

TEST(HelpTextTest, LongLinesReadAsSeveralAndAreCutToTheLineLimit) {
  // 600 bytes: pieces of 255, 255 and 90 bytes, each a line of its own.
  const std::string file =
      "[Gate]\n" + std::string(255, 'a') + std::string(255, 'b') + std::string(90, 'c') + "\nend\n";
  const HelpSection gate = Parse(file, "Gate");
  ASSERT_EQ(gate.PageCount(), 1);
  ASSERT_EQ(gate.pages[0].lines.size(), 4u);
  EXPECT_EQ(gate.pages[0].lines[0], std::string(kHelpMaxLineLength, 'a'));
  EXPECT_EQ(gate.pages[0].lines[1], std::string(kHelpMaxLineLength, 'b'));
  EXPECT_EQ(gate.pages[0].lines[2], std::string(90, 'c'));
  EXPECT_EQ(gate.pages[0].lines[3], "end");
  // A long line's second piece can even start a page or end the section.
  const HelpSection split = Parse("[Gate]\n" + std::string(255, 'x') + "[Quadrille]\n", "Gate");
  ASSERT_EQ(split.PageCount(), 1);
  EXPECT_EQ(split.pages[0].lines.size(), 1u);
  EXPECT_EQ(Parse(std::string(255, 'x') + "[Gate]\nfound\n", "Gate").PageCount(), 1)
      << "a header read as the second piece of a long line still counts";
  // A header longer than one read can never match.
  EXPECT_EQ(Parse("[" + std::string(300, 'T') + "]\nx\n", std::string(300, 'T')).PageCount(), 0);
}

TEST(HelpTextTest, TooManyPagesOrLinesAreCutAtTheLimits) {
  std::string pages = "[Gate]\n";
  for (int p = 0; p < 30; ++p) pages += "page " + std::to_string(p) + "\n<BR>\n";
  pages += "[Quadrille]\nq\n";
  const HelpSection gate = Parse(pages, "Gate");
  ASSERT_EQ(gate.PageCount(), kHelpMaxPages);
  EXPECT_EQ(gate.pages[19].lines, std::vector<std::string>{"page 19"});
  EXPECT_EQ(Parse(pages, "Quadrille").PageCount(), 1) << "the next section is still found";

  std::string lines = "[Gate]\n";
  for (int n = 0; n < 200; ++n) lines += "line " + std::to_string(n) + "\n";
  lines += "<BR>\nsecond page\n";
  const HelpSection cut = Parse(lines, "Gate");
  ASSERT_EQ(cut.PageCount(), 2) << "a full page does not swallow the break after it";
  ASSERT_EQ(static_cast<int>(cut.pages[0].lines.size()), kHelpMaxLines);
  EXPECT_EQ(cut.pages[0].lines.back(), "line 79");
  EXPECT_EQ(cut.pages[1].lines, std::vector<std::string>{"second page"});
}

TEST(HelpTextTest, ZeroBytesEndTheirLineAndGarbageStaysWithinTheLimits) {
  const std::string withZero = std::string("[Gate]\nbefore\0after\nnext\n", 25);
  const HelpSection gate = Parse(withZero, "Gate");
  ASSERT_EQ(gate.PageCount(), 1);
  EXPECT_EQ(gate.pages[0].lines, (std::vector<std::string>{"before", "next"}));
  // A zero byte inside the header hides it.
  EXPECT_EQ(Parse(std::string("[Ga\0te]\nx\n", 10), "Gate").PageCount(), 0);

  // No line ends at all: one long stream of pieces.
  std::string noEnds = "[Gate]";
  for (int i = 0; i < 100000; ++i) noEnds.push_back(static_cast<char>('a' + i % 26));
  // The header's own piece begins with the header, so the rest of the stream is the section.
  const HelpSection stream = Parse(noEnds, "Gate");
  ASSERT_EQ(stream.PageCount(), 1);
  ASSERT_EQ(static_cast<int>(stream.pages[0].lines.size()), kHelpMaxLines);
  EXPECT_EQ(stream.pages[0].lines[0], noEnds.substr(255, kHelpMaxLineLength));
  ExpectWithinLimits(stream);

  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    std::string garbage = "[Gate]\n";
    const int size = 1 + static_cast<int>(random() % 20000);
    for (int i = 0; i < size; ++i) {
      const unsigned pick = random() % 16;
      // Line ends, brackets and breaks often enough to make many sections, pages and lines.
      garbage += pick == 0 ? "\n" : pick == 1 ? "\r" : pick == 2 ? "<BR>" : pick == 3 ? "[" : "";
      garbage.push_back(static_cast<char>(random() & 0xFF));
    }
    ExpectWithinLimits(Parse(garbage, "Gate"));
  }
}

}  // namespace
