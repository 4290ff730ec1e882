// Text in the real dialog and interface fonts on a real dialog frame, against a golden image:
// every justification, a colour change and a mnemonic underline in one scene.
#include <gtest/gtest.h>

#include <cstring>

#include "gfx/Gfx.h"
#include "gfx/font/Font.h"
#include "platform/DataDir.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"

namespace {

class TextGoldenTest : public ArtworkTest {
protected:
  void SetUp() override {
    ArtworkTest::SetUp();
    if (!UseGeneratedMedia()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  }

  static void Text(int x, int y, int h, int v, const char* text) {
    GfxFontJustify(h, v);
    GfxMove(x, y);
    GfxFontText(text, static_cast<int>(std::strlen(text)));
  }
};

TEST_F(TextGoldenTest, JustificationColourAndUnderlineOnADialogFrame) {
  ArtworkSet& art = LoadArtwork(0);
  const int dialogFont = GfxLoadFont(MediaPath("systm12.fgf").c_str());
  const int interfaceFont = GfxLoadFont(MediaPath("windb_10.fgf").c_str());
  ASSERT_GT(dialogFont, 0);
  ASSERT_GT(interfaceFont, 0);
  const int canvas = Canvas(320, 160, 0, 0, 0);
  art.DrawDialogFrame(0, 0, 320, 160, canvas);
  GfxOpenBuffer(canvas);
  GfxSetColor(art.DialogTextColor());
  // A guide line through the cursor row shows where each justification puts the text.
  GfxSelectFont(dialogFont);
  Text(20, 40, -1, -1, "Left on the baseline, Agjp");
  Text(160, 70, 0, 0, "Centred both ways");
  Text(300, 100, 1, 1, "Right, top on the row");
  GfxSelectFont(interfaceFont);
  // 0x7F 0xF9 switches to colour entry 249 (red); 0x7F 0x5F twice underlines "N".
  Text(20, 135, -1, -1, "Game: \x7f_N\x7f_ew  \x7f\xf9Undo");
  GfxSetColor(GfxMapRGB(255, 255, 255));
  for (int y : {40, 70, 100, 135}) {
    GfxMove(4, y);
    GfxDashTo(12, y, 0x5555);
  }
  EXPECT_TRUE(MatchesGolden("artwork/text_justify_escapes", canvas, 0, 319, 0, 159));
}

}  // namespace
