// The common base of every drawn window element: position, state flags, caption, child lists,
// save-under of the screen beneath it, and the sixty operations every element answers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gfx/Gfx.h"
#include "ui/ChildList.h"

// Style bits.
inline constexpr std::uint32_t kUiStyleNoTabStop = 0x1;
inline constexpr std::uint32_t kUiStyleMenu = 0x2;
inline constexpr std::uint32_t kUiStyleMenuFixed = 0x8;
inline constexpr std::uint32_t kUiStyleMenuItem = 0x10;
inline constexpr std::uint32_t kUiStyleModeless = 0x2000;

// focus values.
inline constexpr int kUiNoFocus = 0;
inline constexpr int kUiKeyboardFocus = 1;
inline constexpr int kUiMouseFocus = 2;

// saveState values.
inline constexpr int kUiNothingSaved = -1;
inline constexpr int kUiSavedInMemory = 0;
inline constexpr int kUiSavedInFile = 1;
// Bytes of screen an element keeps in memory; anything larger goes to a temporary file.
inline constexpr long long kUiSaveUnderMemoryLimit = 16777215;

class UiElement {
public:
  UiElement(UiElement* parent, int x, int y, int width, int height);
  UiElement(const UiElement&) = delete;
  UiElement& operator=(const UiElement&) = delete;

  // The operations in their fixed slot order; derived classes override by the same names.
  virtual ~UiElement();                                             // 0
  virtual void Show() = 0;                                          // 1
  virtual void Hide() = 0;                                          // 2
  virtual void HandleEvent() = 0;                                   // 3
  virtual void Draw() = 0;                                          // 4
  virtual void Refresh() {}                                         // 5
  virtual void SaveUnder();                                         // 6
  virtual void RestoreUnder();                                      // 7
  virtual void SaveUnderInclusive();                                // 8
  virtual void RestoreUnderInclusive();                             // 9
  virtual void MoveBy(int dx, int dy);                              // 10
  virtual void MoveTo(int x, int y);                                // 11
  virtual void Center();                                            // 12
  virtual void CenterHorizontally();                                // 13
  virtual void CenterVertically();                                  // 14
  virtual int GetClientLeft() const { return x_; }                  // 15
  virtual int GetClientRight() const { return x_ + width_ - 1; }    // 16
  virtual int GetClientTop() const { return y_; }                   // 17
  virtual int GetClientBottom() const { return y_ + height_ - 1; }  // 18
  virtual void SetClientLeft(int) {}                                // 19
  virtual void SetClientRight(int) {}                               // 20
  virtual void SetClientTop(int) {}                                 // 21
  virtual void SetClientBottom(int) {}                              // 22
  virtual int GetId() const { return id_; }                         // 23
  virtual int GetX() const { return x_; }                           // 24
  virtual int GetY() const { return y_; }                           // 25
  virtual int GetWidth() const { return width_; }                   // 26
  virtual int GetHeight() const { return height_; }                 // 27
  virtual std::uint32_t GetStyle() const { return style_; }         // 28
  virtual void SetParent(UiElement* parent) { parent_ = parent; }   // 29
  virtual void SetId(int id) { id_ = id; }                          // 30
  virtual void SetX(int x) { x_ = x; }                              // 31
  virtual void SetY(int y) { y_ = y; }                              // 32
  virtual void SetWidth(int width) { width_ = width; }              // 33
  virtual void SetHeight(int height) { height_ = height; }          // 34
  virtual void SetActive(bool active) { active_ = active; }         // 35
  virtual void SetStyle(std::uint32_t style) { style_ = style; }    // 36
  virtual void SetFocus(int focus);                                 // 37
  virtual int GetFocus() const { return focus_; }                   // 38
  virtual bool IsDisabled() const { return disabled_; }             // 39
  virtual void SetDisabled(bool disabled);                          // 40
  virtual void SetText(const char* text);                           // 41
  virtual const char* GetText() const;                              // 42
  virtual int GetTextLength() const;                                // 43
  virtual bool IsPressed() const { return pressed_; }               // 44
  virtual bool IsSelected() const { return selected_; }             // 45
  virtual void SetPressed(bool pressed);                            // 46
  virtual void SetSelected(bool selected);                          // 47
  virtual bool IsActive() const { return active_; }                 // 48
  virtual bool IsShown() const { return shown_; }                   // 49
  virtual bool IsHidden() const { return !shown_; }                 // 50
  virtual void UpdateIfDirty();                                     // 51
  // Refused by leaf widgets (0). Containers and compound widgets: 1 when e was already there.
  virtual int AddChild(UiElement*) { return 0; }  // 52
  // Refused by leaf widgets (0). Containers and compound widgets: 1 when e was not found.
  virtual int RemoveChild(UiElement*) { return 0; }      // 53
  virtual int AddContainer(UiElement*) { return 0; }     // 54
  virtual int RemoveContainer(UiElement*) { return 0; }  // 55
  virtual Color GetBackColour() const;                   // 56
  // A hook for classes that can wipe themselves off (a label draws itself in the background).
  virtual void Erase() {}                              // 57
  virtual bool NeedsRedraw() const { return dirty_; }  // 58
  virtual void ClearRedraw() { dirty_ = false; }       // 59

  UiElement* GetParent() const { return parent_; }
  ChildList* Children() const { return children_.get(); }
  ChildList* Containers() const { return containers_.get(); }
  bool IsDirty() const { return dirty_; }
  void SetDirty(bool dirty) { dirty_ = dirty; }
  int GetSaveState() const { return saveState_; }

  // Builds a child of type T with this element as its parent (T's constructor links it into the
  // right list) and keeps it: it lives until DestroyChild or until this element goes.
  template <class T, class... Args>
  T* MakeChild(Args&&... args) {
    auto child = std::make_unique<T>(this, std::forward<Args>(args)...);
    T* raw = child.get();
    owned_.push_back(std::move(child));
    return raw;
  }
  // Destroys a child made with MakeChild; false when this element does not own it. Inside a
  // turn the child leaves the tree at once but is only deleted when the turn ends: a handler may
  // rebuild a menu while the loops that called it still hold its old members.
  bool DestroyChild(UiElement* child);

  // Brackets one turn of a loop (UiPoll does it); turns nest with modal loops opened inside
  // them. Elements destroyed inside are deleted when the outermost turn ends.
  static void BeginTurn();
  static void EndTurn();
  static bool InTurn();

  // The element that follows this one in the list that holds it.
  UiElement* NextSibling() const { return next_; }
  UiElement* PrevSibling() const { return prev_; }

protected:
  // Saves or restores an inclusive screen rectangle of the drawing buffer.
  void SaveRect(int minx, int maxx, int miny, int maxy);
  void RestoreSaved();
  // Forgets what was saved without putting it back.
  void DropSaved();
  // Calls f on every member of a list, in order. The members are collected first, so that a
  // member may change the order of the list while it is called; a member taken out of the list
  // meanwhile is passed over (it is still alive: destruction waits for the end of the turn).
  template <class F>
  static void ForEachIn(const ChildList* list, F&& f) {
    if (list == nullptr) return;
    std::vector<UiElement*> members;
    members.reserve(list->Count());
    for (UiElement* e = list->Head(); e != nullptr; e = e->next_) members.push_back(e);
    for (UiElement* e : members) {
      if (e->list_ == list) f(e);
    }
  }
  // Shared by containers and compound widgets.
  int InsertInto(ChildList* list, UiElement* e);
  int RemoveFrom(ChildList* list, UiElement* e);

  UiElement* parent_ = nullptr;
  std::unique_ptr<ChildList> children_;
  std::unique_ptr<ChildList> containers_;
  int id_ = 0;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool active_ = false;
  bool disabled_ = false;
  int focus_ = kUiNoFocus;
  bool shown_ = false;
  std::uint32_t style_ = 0;
  bool dirty_ = false;
  bool pressed_ = false;
  bool selected_ = false;
  bool hasText_ = false;
  std::string text_;
  std::vector<std::uint8_t> saveBuffer_;
  int saveState_ = kUiNothingSaved;
  std::string saveFile_;

private:
  friend class ChildList;
  // Cuts every tie to the lists of this element and to its parent; then the owned children go.
  void DetachFromTree();
  // Leaves the parent's list and forgets the parent.
  void DetachFromParent();

  UiElement* prev_ = nullptr;
  UiElement* next_ = nullptr;
  ChildList* list_ = nullptr;
  // The rectangle the saved pixels came from, so they go back exactly where they were taken.
  int savedMinX_ = 0, savedMaxX_ = -1, savedMinY_ = 0, savedMaxY_ = -1;
  std::vector<std::unique_ptr<UiElement>> owned_;
};
