// The help file's reader on hand-made files: which header opens a section, where it ends, pages,
// labels, and the cuts at the viewer's limits (FuzzHelpText keeps random files within them).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/HelpText.h"

namespace {

HelpSection Parse(const std::string& text, const std::string& title) {
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  return ParseHelpSection(bytes, title);
}

// The lines of each page of a section, as the viewer gets them.
TEST(HelpTextTest, HeadersBreaksAndLineEndsGiveTheseLines) {
  using Pages = std::vector<std::vector<std::string>>;
  const std::string sections = "[Klondike]\none\n\ntwo\n[anything\nnot mine\n[Quadrille]\nlast";
  const std::string cut(kHelpMaxLineLength, 'x');
  const struct {
    std::string file;
    std::string title;
    Pages pages;
  } cases[] = {
      // Only the header's own length is compared, and only the first such section is read.
      {"[Gate Rules]\nwrong section\n[Gat]\nshort header\n[Gate] and a remark\nright section\n"
       "[Gate]\nsecond Gate section is never reached\n",
       "Gate",
       {{"right section"}}},
      {" [Gate]\ntext\n", "Gate", {}},  // the header starts the line
      {"[gate]\ntext\n", "Gate", {}},   // case counts
      // A section ends at a line starting with a bracket or at the end, with or without a line end.
      {sections, "Klondike", {{"one", "", "two"}}},
      {sections, "Quadrille", {{"last"}}},
      {"text\n[Block Solitaire]", "Block Solitaire", {{}}},
      // Break lines start pages, even straight after the header; "<br>" and "<BR" are text.
      {"[Gate]\na\n<BR>\nb\n<BR> the rest of a break line is ignored\nc\nd\n",
       "Gate",
       {{"a"}, {"b"}, {"c", "d"}}},
      {"[Gate]\n<BR>\nx\n", "Gate", {{}, {"x"}}},
      {"[Gate]\n+Object\n<br>\n<BR\n", "Gate", {{"+Object", "<br>", "<BR"}}},
      // CR LF is one line end, a lone CR ends the text; 254 bytes and CR LF fit one 256-byte read.
      {"[Gate]\r\n+Label\r\ntext\r\n\r\nmore\rhidden\n", "Gate", {{"+Label", "text", "", "more"}}},
      {"[Gate]\r\n" + std::string(254, 'x') + "\r\nnext\r\n", "Gate", {{cut, "next"}}},
      // Longer lines are pieces of 255 bytes; a header longer than a read never matches.
      {"[Gate]\n" + std::string(255, 'x') + std::string(255, 'b') + std::string(90, 'c') +
           "\nend\n",
       "Gate",
       {{cut, std::string(kHelpMaxLineLength, 'b'), std::string(90, 'c'), "end"}}},
      {"[Gate]\n" + std::string(255, 'x') + "[Quadrille]\n", "Gate", {{cut}}},
      {std::string(255, 'x') + "[Gate]\nfound\n", "Gate", {{"found"}}},
      {"[" + std::string(300, 'T') + "]\nx\n", std::string(300, 'T'), {}},
      // A zero byte ends its line, and hides a header.
      {std::string("[Gate]\nbefore\0after\nnext\n", 25), "Gate", {{"before", "next"}}},
      {std::string("[Ga\0te]\nx\n", 10), "Gate", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    Pages pages;
    for (const HelpPage& page : Parse(c.file, c.title).pages) pages.push_back(page.lines);
    EXPECT_EQ(pages, c.pages);
  }
  // Reading a file that is there is the rule-help golden's.
  EXPECT_EQ(LoadHelpSection("/nonexistent/dir/HELP.TXT", "Klondike").PageCount(), 0);
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

// No line ends at all: one stream of pieces, of which the header's own is the first.
TEST(HelpTextTest, AFileWithoutLineEndsIsReadAsPiecesUpToTheLimits) {
  std::string noEnds = "[Gate]";
  for (int i = 0; i < 100000; ++i) noEnds.push_back(static_cast<char>('a' + i % 26));
  const HelpSection stream = Parse(noEnds, "Gate");
  ASSERT_EQ(stream.PageCount(), 1);
  ASSERT_EQ(static_cast<int>(stream.pages[0].lines.size()), kHelpMaxLines);
  EXPECT_EQ(stream.pages[0].lines[0], noEnds.substr(255, kHelpMaxLineLength));
}

}  // namespace
