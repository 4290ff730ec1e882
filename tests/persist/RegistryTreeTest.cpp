// The key tree in memory: naming rules, value types, caps and the text form.
#include "persist/RegistryTree.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

std::string Under(const std::string& sub) {
  return "SOFTWARE\\Quenbry Software\\Solitaire\\" + sub;
}

}  // namespace

// Wrong types and texts too long for the buffer read as missing in SettingsTest.
TEST(RegistryTree, QueriesNeverCreateAndATextEndsAtItsFirstZeroByte) {
  RegistryTree tree;
  std::uint32_t v = 7;
  std::string s;
  EXPECT_FALSE(tree.QueryDword(Under("Nope"), "X", v));
  EXPECT_FALSE(tree.KeyExists(Under("Nope")));
  ASSERT_TRUE(tree.SetString(Under("P"), "Z", std::string("ab\0cd", 5)));
  ASSERT_TRUE(tree.QueryString(Under("P"), "Z", 300, s));
  EXPECT_EQ(s, "ab");
}

// Long lists are looked up through an index, which must follow every removal.
TEST(RegistryTree, DeleteTakesTheWholeSubtreeAndNothingElse) {
  RegistryTree tree;
  ASSERT_TRUE(tree.SetDword(Under("Gate\\Scores\\1"), "Score", 10));
  ASSERT_TRUE(tree.SetDword(Under("Gate"), "Recycles", 0));
  ASSERT_TRUE(tree.SetDword(Under("Klondike\\Scores\\1"), "Score", 9));
  EXPECT_TRUE(tree.DeleteKey(Under("gate\\scores")));
  EXPECT_FALSE(tree.KeyExists(Under("Gate\\Scores\\1")));
  EXPECT_TRUE(tree.KeyExists(Under("Gate")));
  EXPECT_TRUE(tree.KeyExists(Under("Klondike\\Scores\\1")));
  EXPECT_FALSE(tree.DeleteKey(Under("Gate\\Scores")));
  EXPECT_FALSE(tree.DeleteKey(""));  // The hive itself stays.
  EXPECT_TRUE(tree.DeleteValue(Under("GATE"), "recycles"));
  EXPECT_TRUE(tree.FindKey(Under("Gate"))->values.empty());
  EXPECT_FALSE(tree.DeleteValue(Under("Gate"), "Recycles"));
  EXPECT_FALSE(tree.DeleteValue(Under("Nope"), "Recycles"));
  for (std::uint32_t i = 0; i < 40; ++i) {
    ASSERT_TRUE(tree.SetDword(Under("Many\\K" + std::to_string(i)), "V", i));
    ASSERT_TRUE(tree.SetDword(Under("Many"), "V" + std::to_string(i), i));
  }
  EXPECT_TRUE(tree.DeleteKey(Under("many\\k5")));
  EXPECT_TRUE(tree.DeleteValue(Under("Many"), "v5"));
  for (std::uint32_t i = 0; i < 40; ++i) {
    std::uint32_t v = 99;
    EXPECT_EQ(tree.QueryDword(Under("MANY\\K" + std::to_string(i)), "V", v), i != 5);
    EXPECT_EQ(v, i != 5 ? i : 99u);
    EXPECT_EQ(tree.QueryDword(Under("Many"), "V" + std::to_string(i), v), i != 5);
  }
}

// The caps keep a crafted file (parsed through the same calls) from overflowing the stack.
TEST(RegistryTree, MalformedPathsAndOversizedTreesAreRefused) {
  RegistryTree tree;
  for (const std::string& bad :
       {"\\SOFTWARE"s, "SOFTWARE\\"s, "A\\\\B"s, "A\nB"s, std::string(256, 'k')}) {
    EXPECT_FALSE(tree.CreateKey(bad)) << bad;
    EXPECT_FALSE(tree.SetDword(bad, "V", 1)) << bad;
  }
  EXPECT_EQ(tree, RegistryTree());
  std::string deep = std::string(255, 'k');
  for (int depth = 2; depth <= kRegistryMaxDepth; ++depth) deep += "\\k";
  EXPECT_TRUE(tree.CreateKey(deep));
  EXPECT_FALSE(tree.CreateKey(deep + "\\k"));
  for (std::size_t i = 0; i < kRegistryMaxChildren; ++i) {
    const std::string n = std::to_string(i);
    ASSERT_TRUE(tree.SetDword("K\\" + n, n, 1));
    ASSERT_TRUE(tree.SetDword("K", n, 1));
  }
  EXPECT_TRUE(tree.SetDword("K", "0", 2));  // Existing names still change.
  EXPECT_FALSE(tree.CreateKey("K\\x"));
  EXPECT_FALSE(tree.SetDword("K", "x", 1));
  // The key cap counts keys back on delete.
  RegistryTree wide;
  std::size_t made = 0;
  for (int parent = 0; parent < 17; ++parent) {
    for (int child = 0; child < 1000; ++child)
      made += wide.CreateKey("P" + std::to_string(parent) + "\\" + std::to_string(child));
  }
  EXPECT_EQ(made, kRegistryMaxKeys - 17) << "the 17 parents count as keys too";
  EXPECT_FALSE(wide.CreateKey("Q"));
  ASSERT_TRUE(wide.DeleteKey("P3"));
  for (int child = 0; child < 1001; ++child)
    EXPECT_EQ(wide.CreateKey("Q\\" + std::to_string(child)), child < 1000) << child;
  EXPECT_EQ(wide.Serialise().size(), wide.SerialisedSize());
}

// Each key line repeats its whole path, so a deep path costs far more than its own length.
TEST(RegistryTree, NothingIsAcceptedThatWouldWriteAFileLargerThanTheReaderTakes) {
  RegistryTree tree;
  std::string deep;
  for (int depth = 0; depth < kRegistryMaxDepth; ++depth)
    deep += (depth > 0 ? "\\" : "") + std::string(kRegistryMaxKeyName, 'k');
  EXPECT_FALSE(tree.CreateKey(deep));
  EXPECT_FALSE(RegistryTree::Parse("REGEDIT4\n[HKEY_CURRENT_USER\\" + deep + "]\n"));
  EXPECT_EQ(tree, RegistryTree()) << "a refused path leaves no parents behind";
  const std::string text(kRegistryMaxText, 't');
  std::size_t stored = 0;
  while (stored < kRegistryMaxChildren && tree.SetString("K", std::to_string(stored), text))
    ++stored;
  EXPECT_LT(stored, kRegistryMaxChildren);
  EXPECT_TRUE(tree.SetDword("K", "0", 1)) << "a smaller value still fits";
  for (std::size_t i = 0; tree.CreateKey("K\\" + std::to_string(i)); ++i)
    ASSERT_LT(i, kRegistryMaxChildren);
  const std::string saved = tree.Serialise();
  EXPECT_LE(saved.size(), kRegistryMaxBytes);
  EXPECT_EQ(saved.size(), tree.SerialisedSize());
  EXPECT_EQ(RegistryTree::Parse(saved), tree);
}

TEST(RegistryTree, TextFormIsRegedit4WithFullKeyPathsAndReadsBackAsWritten) {
  RegistryTree tree;
  ASSERT_TRUE(tree.SetDword(Under("Klondike"), "CardsDealt", 3));
  ASSERT_TRUE(tree.SetDword(Under("Klondike"), "StartCard", 0xffffffffu));
  ASSERT_TRUE(tree.SetString(Under("Players\\20"), "Name", "P\"1\\"));
  EXPECT_EQ(tree.Serialise(),
            "REGEDIT4\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE]\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Quenbry Software]\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Quenbry Software\\Solitaire]\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Quenbry Software\\Solitaire\\Klondike]\n"
            "\"CardsDealt\"=dword:00000003\n"
            "\"StartCard\"=dword:ffffffff\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Quenbry Software\\Solitaire\\Players]\n\n"
            "[HKEY_CURRENT_USER\\SOFTWARE\\Quenbry Software\\Solitaire\\Players\\20]\n"
            "\"Name\"=\"P\\\"1\\\\\"\n\n");
  // Odd names and values come back as they went.
  ASSERT_TRUE(tree.SetString(Under("Players\\21"), "Name", "Zo\xC3\xAB \xE2\x99\xA0 Kj\xC3\xB8r"));
  ASSERT_TRUE(tree.SetString(Under("Players\\22"), "Name", "two\nlines\r\tand ] [ = @"));
  ASSERT_TRUE(tree.SetString(Under("Players\\23"), "", ""));
  ASSERT_TRUE(tree.SetDword(Under("Odd [key] = \"x\""), "v\\a\"l", 0x80000000u));
  ASSERT_TRUE(tree.CreateKey(Under("Empty\\Leaf")));
  ASSERT_TRUE(tree.SetDword("", "AtTheHive", 1));
  EXPECT_EQ(RegistryTree::Parse(tree.Serialise()), tree);
}

TEST(RegistryTree, ParserAcceptsWhatEditorsProduce) {
  const char* reason = nullptr;
  const std::optional<RegistryTree> tree = RegistryTree::Parse(
      "\xEF\xBB\xBFREGEDIT4 \r\n\r\n  ; a comment\r\n"
      "[hkey_current_user\\Software\\X]\t\r\n"
      "\"A\"=DWORD:1\r\n"
      " [HKEY_CURRENT_USER\\SOFTWARE\\x]\r\n"
      "\t\"a\" =  dword:0000002A \r\n"
      "@= \"default\"\t",
      &reason);
  ASSERT_TRUE(tree.has_value()) << reason;
  std::uint32_t v = 0;
  ASSERT_TRUE(tree->QueryDword("SOFTWARE\\X", "A", v));
  EXPECT_EQ(v, 42u);  // The second section is the same key; the last value wins.
  std::string s;
  ASSERT_TRUE(tree->QueryString("software\\x", "", 300, s));
  EXPECT_EQ(s, "default");
  EXPECT_EQ(tree->FindKey("SOFTWARE")->name, "Software");
}

// One text per check the parser makes.
TEST(RegistryTree, ParserRefusesAnythingItDoesNotUnderstand) {
  const std::string head = "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n";
  const std::string cases[] = {
      "REGEDIT5\n",
      "REGEDIT4\n\"V\"=dword:1\n",            // value before any key
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n",  // another hive
      "REGEDIT4\n[HKEY_CURRENT_USERX\\K]\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\]\n",
      "REGEDIT4\n[HKEY_CURRENT_USER\\K\n",
      head + "\"V\"=dword:123456789\n",  // more than 32 bits
      head + "\"V\"=dword:\n",
      head + "\"V\"=dword:-1\n",
      head + "\"V\"=hex:01,02\n",
      head + "\"V\"=\"open\n",
      head + "\"V\"=\"x\" trailing\n",
      head + "\"V\"=\"bad \\q escape\"\n",
      head + "\"V\"=\"ends in backslash\\\n",
      head + "\"V\"\n",
      head + "V=dword:1\n",
      head + "\"V\"=\"nul\0byte\"\n"s,
      head + "\"" + std::string(kRegistryMaxValueName + 1, 'n') + "\"=dword:1\n",
      head + "\"V\"=\"" + std::string(kRegistryMaxText + 1, 't') + "\"\n",
  };
  for (const std::string& text : cases) {
    const char* reason = nullptr;
    EXPECT_FALSE(RegistryTree::Parse(text, &reason).has_value()) << text.substr(0, 80);
    EXPECT_NE(reason, nullptr) << text.substr(0, 80);
  }
}
