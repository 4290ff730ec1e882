// The About box's texts and its one button.
#include "dialogs/AboutDialog.h"

#include <string>
#include <string_view>

#include "gfx/art/ArtworkSet.h"
#include "platform/CommandLine.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/TextButton.h"
#include "ui/widgets/WidgetArtwork.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

constexpr int kLeft = 145;
constexpr int kTop = 90;
constexpr int kWidth = 510;
constexpr int kHeight = 400;
constexpr int kOkWidth = 100;
constexpr int kOkHeight = 30;
constexpr int kOkTop = 350;

// Places within the dialog: the centre of the two heading lines (the dialog's own centre, like
// the title above them), the captions and their entries.
constexpr int kHeadingX = kWidth / 2;
constexpr int kCaptionX = 20;
constexpr int kEntryX = 225;

struct AboutText {
  int x, y;
  int horizontal;  // the fonts' justification: 0 centred, -1 left
  const char* text;
};

// The version line is drawn separately: it comes from the build.
constexpr int kVersionY = 70;

constexpr AboutText kTexts[] = {
    {kHeadingX, 50, 0, "Quenbry Solitaire - Velvet Edition"},
    {kCaptionX, 100, -1, "Programmers:"},
    {kEntryX, 100, -1, "The Quenbry Solitaire developers"},
    {kEntryX, 120, -1, "Card engine and game rules"},
    {kEntryX, 140, -1, "Toolkit, pictures and sound"},
    {kCaptionX, 170, -1, "Producer:"},
    {kEntryX, 170, -1, "The Quenbry Solitaire project"},
    {kCaptionX, 200, -1, "Artist:"},
    {kEntryX, 200, -1, "Drawn by the project's own tools"},
    {kCaptionX, 230, -1, "Sound and Music:"},
    {kEntryX, 230, -1, "The project team, with FluidSynth"},
    {kCaptionX, 260, -1, "Developed by the Quenbry Solitaire developers."},
    {kCaptionX, 280, -1, "Artwork, music and sounds were made for this program."},
    {kCaptionX, 300, -1, "Other names are trademarks of their owners."},
    {kCaptionX, 320, -1, "Free software: see the licence that comes with it."},
};

Color TextColour() {
  const ArtworkSet* art = UiWidgetArtwork();
  return art != nullptr ? art->DialogTextColor() : UiColour(kUiColourText);
}

}  // namespace

std::string AboutVersionLine() {
  // The version is the last word of the --version text, so the two can never disagree.
  const std::string_view text = kVersionText;
  const std::size_t space = text.rfind(' ');
  return "Version " + std::string(space == std::string_view::npos ? text : text.substr(space + 1));
}

AboutDialog::AboutDialog() : UiDialog(kLeft, kTop, kWidth, kHeight, "About Quenbry Solitaire") {
  okButton_ = MakeChild<TextButton>(kWidth / 2 - kOkWidth / 2, kOkTop, kOkWidth, kOkHeight,
                                    DialogSkinBuffer(), "OK");
}

void AboutDialog::Draw() {
  UiDialog::Draw();
  DrawCredits();
}

void AboutDialog::DrawCredits() const {
  UiSelectDrawingBuffer();
  const Color colour = TextColour();
  for (const AboutText& t : kTexts) {
    UiDrawText(x_ + t.x, y_ + t.y, t.text, static_cast<int>(std::string_view(t.text).size()),
               colour, t.horizontal, -1);
  }
  const std::string version = AboutVersionLine();
  UiDrawText(x_ + kHeadingX, y_ + kVersionY, version.c_str(), static_cast<int>(version.size()),
             colour, 0, -1);
}

bool AboutDialog::Poll() {
  PollWidgets();
  if (UiInput.event == EV_CLICKED && UiInput.subject == okButton_->GetId()) {
    result = kAboutResultOk;
  }
  return result != 0;
}

int RunAboutDialog() {
  AboutDialog dialog;
  return dialog.DoModal();
}
