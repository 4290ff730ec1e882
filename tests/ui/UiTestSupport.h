// The toolkit on a headless graphics layer, fed messages one turn at a time as the loops do.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Gfx.h"
#include "platform/Keyboard.h"
#include "platform/Messages.h"
#include "tests/support/HeadlessGfx.h"
#include "ui/UiContainer.h"
#include "ui/UiInput.h"
#include "ui/UiScreenUpdate.h"
#include "ui/UiToolkit.h"
#include "ui/UiWidget.h"

inline bool g_testCapsLock = false;  // instead of the system's lock light
inline std::int16_t TestKeyState(std::uint32_t virtualKey) {
  if (virtualKey == VK_CAPITAL) return g_testCapsLock ? 1 : 0;
  return GetKeyState(virtualKey);
}

class RecordingScreenUpdate : public UiScreenUpdate {
public:
  void AddDirtyRect(const ScreenRect& rect) override { marked.push_back(rect); }
  void FlushDirtyRects() override {
    ++flushes;
    marked.clear();
  }
  void ShowScreenRect(const ScreenRect&) override {}
  std::vector<ScreenRect> marked;
  int flushes = 0;
};

class UiTest : public testing::Test {
protected:
  void SetUp() override {
    gfx_ = std::make_unique<HeadlessGfx>();
    ASSERT_TRUE(gfx_->Started());
    screenBuffer_ = gfx_->Screen();
    ASSERT_GE(screenBuffer_, 0);
    UiResetInput();
    ResetKeyState();
    g_testCapsLock = false;
    UiSetKeyStateReader(&TestKeyState);
    UiInit(nullptr, screenBuffer_, options_);
    UiBuildColours();
    UiSetScreenUpdate(&screenUpdate_);
  }
  void TearDown() override {
    UiSetScreenUpdate(nullptr);
    UiShutdown();
    UiSetKeyStateReader(nullptr);
    ResetKeyState();
    gfx_.reset();
    screenBuffer_ = -1;
  }
  // One message recorded as the loops do (the key state moves first), without polling.
  static void Record(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    const Message msg{message, wParam, lParam, 0, true};
    TrackKeyMessage(msg);
    UiRecord(msg);
  }
  // One turn: record, then translate (without a tree) or the whole poll (with one).
  static void Turn(std::uint32_t message, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
    Record(message, wParam, lParam);
    UiTranslateInput();
  }
  static void Turn(UiElement& top, std::uint32_t message, std::uintptr_t wParam = 0,
                   std::intptr_t lParam = 0) {
    Record(message, wParam, lParam);
    UiPoll(top);
  }
  // Left press, release or click at (x, y) over `top`, each in a turn of its own.
  static void Press(UiElement& top, int x, int y) {
    Turn(top, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y));
  }
  static void Release(UiElement& top, int x, int y) {
    Turn(top, WM_LBUTTONUP, 0, MakeLParam(x, y));
  }
  static void Click(UiElement& top, int x, int y) {
    Press(top, x, y);
    Release(top, x, y);
  }
  static std::intptr_t KeyDownParam(int scan, bool extended = false) {
    return KeyLParam(1, scan, extended, false, false);
  }
  static std::intptr_t KeyUpParam(int scan, bool extended = false) {
    return KeyLParam(1, scan, extended, true, true);
  }

  int options_ = kUiRouteToContainers;
  std::unique_ptr<HeadlessGfx> gfx_;
  int screenBuffer_ = -1;
  RecordingScreenUpdate screenUpdate_;
};

// A leaf widget that takes a press over itself like a push button, and counts the turns it handles.
class ProbeWidget : public UiWidget {
public:
  ProbeWidget(UiElement* parent, int x, int y, int width = 40, int height = 20,
              std::vector<int>* order = nullptr)
      : UiWidget(parent, x, y, width, height), order_(order) {}
  void HandleEvent() override {
    ++events;
    if (order_ != nullptr) order_->push_back(GetId());
    if (!active_ || disabled_) return;
    const bool over = UiInput.mouseX > x_ && UiInput.mouseX < x_ + width_ && UiInput.mouseY > y_ &&
                      UiInput.mouseY < y_ + height_;
    if (UiInput.mouseState == MS_LEFT_PRESSED && over) {
      focus_ = kUiMouseFocus;
      UiInput.event = EV_PRESSED;
      UiInput.subject = id_;
    }
  }
  void Draw() override {
    dirty_ = true;
    UiAddDirtyRect(x_, x_ + width_ - 1, y_, y_ + height_ - 1);
  }
  int events = 0;

private:
  std::vector<int>* order_;
};

// Runs the test's hook each turn it handles, as a handler that changes the tree; says when gone.
class HookWidget : public ProbeWidget {
public:
  HookWidget(UiElement* parent, int x, int y, bool* alive = nullptr, int* handled = nullptr)
      : ProbeWidget(parent, x, y), alive_(alive), handled_(handled) {
    if (alive_ != nullptr) *alive_ = true;
  }
  ~HookWidget() override {
    if (alive_ != nullptr) *alive_ = false;
  }
  void HandleEvent() override {
    ProbeWidget::HandleEvent();
    if (handled_ != nullptr) ++*handled_;
    if (hook) hook();
  }
  std::function<void()> hook;

private:
  bool* alive_;
  int* handled_;
};

class ProbePanel : public UiContainer {
public:
  ProbePanel(UiElement* parent, int x, int y, int width, int height, std::uint32_t style = 0)
      : UiContainer(parent, x, y, width, height, "Panel", style) {}
  void Draw() override { ++draws; }
  void Refresh() override { ++refreshes; }
  int draws = 0, refreshes = 0;
};

inline Color BufferPixel(int buffer, int x, int y) {
  const GfxBufferView view = GfxGetBufferView(buffer);
  Color pixel = 0;
  std::memcpy(&pixel, view.pixels + static_cast<size_t>(y) * view.bytesPerRow + x * 4, 4);
  return pixel;
}
