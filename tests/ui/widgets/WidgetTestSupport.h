// A screen for widgets and the messages fed to it, a turn each: keys with their real scan codes.
#pragma once

#include <memory>

#include "tests/ui/UiTestSupport.h"

class WidgetTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    screen_ = std::make_unique<UiScreen>(0, 0, 799, 599);
  }
  void TearDown() override {
    screen_.reset();
    UiToolkit.menuOpen = 0;
    UiTest::TearDown();
  }
  void Move(int x, int y) { Turn(*screen_, WM_MOUSEMOVE, 0, MakeLParam(x, y)); }
  void Press(int x, int y) { Turn(*screen_, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(x, y)); }
  void Drag(int x, int y) { Turn(*screen_, WM_MOUSEMOVE, MK_LBUTTON, MakeLParam(x, y)); }
  void Release(int x, int y) { Turn(*screen_, WM_LBUTTONUP, 0, MakeLParam(x, y)); }
  void Click(int x, int y) {
    Press(x, y);
    Release(x, y);
  }
  void Key(std::uint32_t virtualKey, int scan, bool extended = false) {
    Turn(*screen_, WM_KEYDOWN, virtualKey, KeyDownParam(scan, extended));
  }
  void Enter() { Key(VK_RETURN, 0x1C); }
  void Escape() { Key(VK_ESCAPE, 0x01); }
  void Backspace() { Key(VK_BACK, 0x0E); }
  void Up() { Key(VK_UP, 0x48, true); }
  void Down() { Key(VK_DOWN, 0x50, true); }
  void Left() { Key(VK_LEFT, 0x4B, true); }
  void Home() { Key(VK_HOME, 0x47, true); }
  void Delete() { Key(VK_DELETE, 0x53, true); }
  // A letter or digit key without Shift.
  void Type(char c) {
    const std::uint32_t code = c >= 'a' && c <= 'z' ? static_cast<std::uint32_t>(c - 'a' + 'A')
                                                    : static_cast<std::uint32_t>(c);
    Key(code, 0x1E);
  }
  void TypeText(const char* text) {
    for (; *text != '\0'; ++text) Type(*text);
  }
  void Alt(char upper) { Turn(*screen_, WM_SYSKEYDOWN, static_cast<std::uint32_t>(upper), 0); }
  void AltUp(char upper) { Turn(*screen_, WM_SYSKEYUP, static_cast<std::uint32_t>(upper), 0); }
  void Tick(std::uintptr_t id) { Turn(*screen_, WM_TIMER, id, 0); }
  std::unique_ptr<UiScreen> screen_;
};
