// The toolkit demonstration: menu bar, widget dialog and message box in the real theme.
#include "app/ToolkitDemo.h"

#include <cstdio>

#include "app/WidgetGallery.h"
#include "engine/session/GameMenuBar.h"
#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "platform/MessageLoop.h"
#include "platform/Messages.h"
#include "platform/Window.h"
#include "ui/ArtworkScreenUpdate.h"
#include "ui/UiContainer.h"
#include "ui/UiDialog.h"
#include "ui/UiInput.h"
#include "ui/UiMessageBox.h"
#include "ui/UiToolkit.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

constexpr int kKlondikeTitle = 12;

bool IsInputMessage(const Message& msg) {
  return UiDialog::IsModalInput(msg) || msg.message == WM_KEYUP;
}

// What a chosen menu command does in the demonstration; false ends it.
bool RunCommand(int command, ArtworkSet& art, int* theme, GameMenus& menus) {
  switch (command) {
    case kCmdExit:
    case kCmdMainMenu:
      return false;
    case kCmdCardBack:
    case kCmdBackground: {
      *theme = (*theme + 1) % 6;
      art.LoadTheme(*theme);
      art.DrawGameTitle(kKlondikeTitle);
      UiBuildColours();
      menus.bar->Draw();
      art.ShowScreenRect();
      return true;
    }
    case kCmdSfx:
    case kCmdAutoGameOver: {
      MenuEntry* item = command == kCmdSfx ? menus.sfx : menus.autoGameOver;
      item->SetSelected(!item->IsSelected());
      return true;
    }
    case kCmdGameSettings:
    case kCmdAbout: {
      WidgetGallery gallery(art.TitleButtonBuffer());
      gallery.DoModal();
      return true;
    }
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "Command %d chosen.", command);
      UiMessageBox box(nullptr, "Menu", kUiMbOk, text);
      box.DoModal();
      return true;
    }
  }
}

}  // namespace

int RunToolkitDemo(int screenBuffer) {
  ArtworkSet art;
  art.Load(screenBuffer, 1);
  int theme = 0;
  art.LoadTheme(theme);
  ArtworkScreenUpdate updates(art);
  UiSetScreenUpdate(&updates);
  UiInit(MainWindow(), screenBuffer, kUiLoadFonts | kUiSaveUnder | kUiRouteToContainers);
  UiSetDefaultFont("windb_10.fgf");
  UiSetDialogFont("systm12.fgf");
  UiSetBoldDialogFont("systm12b.fgf");
  UiBuildColours();
  UiSetWidgetArtwork(&art);

  art.DrawGameTitle(kKlondikeTitle);
  int exitCode = 0;
  {
    UiScreen screen(0, 0, 799, 599);
    GameMenus menus =
        BuildGameMenuBar(&screen, art.MenuBuffer(), art.MenuColumnBuffer(), art.ScreenBuffer());
    menus.options->AddItem("&Game Settings...", kCmdGameSettings);
    menus.sfx->SetSelected(true);
    screen.Show();
    art.ShowScreenRect();

    {
      WidgetGallery gallery(art.TitleButtonBuffer());
      if (gallery.DoModal() == kUiDialogQuit) PostQuitMessage(0);
    }

    Message msg;
    bool running = true;
    while (running && GetMessage(&msg)) {
      if (!IsInputMessage(msg)) {
        if (msg.message == WM_CLOSE) break;
        DispatchMessage(msg);
        continue;
      }
      bool menuWasOpen = menus.bar->IsOpen();
      UiRecord(MainWindow(), msg.message, msg.wParam, msg.lParam);
      UiPoll(screen);
      if (UiInput.event == EV_CLICKED && UiInput.subject > 1000) {
        running = RunCommand(UiInput.subject, art, &theme, menus);
      } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && !menuWasOpen &&
                 !menus.bar->IsOpen()) {
        running = false;
      }
      UiFinishTurn(screen, UiAppActive());
    }
    if (running && msg.message == WM_QUIT) exitCode = static_cast<int>(msg.wParam);
  }
  UiSetWidgetArtwork(nullptr);
  UiShutdown();
  UiSetScreenUpdate(nullptr);
  GfxFreeFont(-1);
  return exitCode;
}
