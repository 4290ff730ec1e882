// The full-screen picture that tells the player where to find more: a button that opens the
// maker's page in the browser and one that closes the screen.
#pragma once

#include <functional>
#include <string>

#include "ui/UiContainer.h"

class ImageButton;

// Opens an address in the browser; true when it was handed over.
using UrlOpener = std::function<bool(const std::string& url)>;
// Replaces what the web button calls (tests record the address instead of starting a browser);
// an empty opener restores the desktop's.
void SetUpgradeUrlOpener(UrlOpener opener);

// The maker's page: the HTML manual installed with the data, as an absolute file:// address.
std::string MakersPageUrl();

class UpgradeScreen : public UiContainer {
public:
  // Loads the backdrop and the button picture; a missing picture leaves that part undrawn.
  UpgradeScreen();
  ~UpgradeScreen() override;
  UpgradeScreen(const UpgradeScreen&) = delete;
  UpgradeScreen& operator=(const UpgradeScreen&) = delete;

  void Show() override;
  void Hide() override;
  void Draw() override;
  void Refresh() override { Draw(); }

  // Runs the screen in the toolkit's modal loop until it is closed: kDialogResultCancel, or
  // kUiDialogQuit when the program is ending.
  int DoModal();
  // The close button or Escape close the screen; the web button opens the maker's page and
  // leaves it open. True when it is done.
  bool Poll();

  ImageButton* GetWebButton() const { return webButton_; }
  ImageButton* GetCloseButton() const { return closeButton_; }
  int GetResult() const { return result_; }

private:
  int background_ = -1;
  int buttons_ = -1;
  ImageButton* webButton_ = nullptr;
  ImageButton* closeButton_ = nullptr;
  int result_ = 0;
};

// Runs the upgrade screen; returns its result.
int RunUpgradeScreen();
