// Main menus and menu items. Items are components with a caption ("&" marks the access key,
// "-" is a separator), a short-cut, check mark, enabled and visible states and a click handler.
// Invisible items are left out of the menu bar but keep their short-cut, so a second key can
// lead to the same handler. A popup's own OnClick fires when the popup opens.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "component.h"

namespace zw {

// Short-cuts: a virtual-key code plus modifier bits.
using ShortCut = unsigned short;
constexpr ShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Ctrl+N", "Shift+Del", "Alt+Backspace", "F2", ... ; 0 when the text is not a short-cut.
ShortCut TextToShortCut(const std::string& text);
std::string ShortCutToText(ShortCut sc);
// The short-cut for a key pressed now (modifier keys read from the keyboard state).
ShortCut KeyToShortCut(WORD vk);

class MenuItem : public Component {
 public:
  std::string caption;
  ShortCut shortCut = 0;
  bool checked = false, enabled = true, visible = true, radioItem = false;
  std::vector<MenuItem*> items;
  MenuItem* parentItem = nullptr;
  class MainMenu* menu = nullptr;
  UINT id = 0;
  HMENU popup = nullptr;  // the submenu when the item has items

  NotifyEvent OnClick;

  PropResult SetProperty(const std::string& prop, const PropValue& v) override;
  bool FindEvent(const std::string& event, EventSlot& slot) override;

  void SetChecked(bool c);
  void SetEnabled(bool e);
  void SetVisible(bool v);
  void SetCaption(const std::string& c);
  void Add(MenuItem* child);
  void Click() { if (OnClick) OnClick(this); }
  bool IsSeparator() const { return caption == "-"; }
  // Text as shown: caption, a tab and the short-cut's text.
  std::string DisplayText() const;
  // State as the user sees it (for tests): enabled in the menu bar.
  bool ShownEnabled() const;
};

class MainMenu : public Component {
 public:
  ~MainMenu() override;
  std::vector<MenuItem*> items;
  HMENU handle = nullptr;
  HWND window = nullptr;  // the form window showing the menu

  void Add(MenuItem* item);
  // Builds the menu bar (again) from the items.
  HMENU Build();
  MenuItem* FindById(UINT id) const;
  MenuItem* FindByPopup(HMENU h) const;
  // Runs the handler of the enabled item with this short-cut (hidden items too).
  bool HandleShortCut(ShortCut sc);
  void Changed();

 private:
  void BuildInto(HMENU m, const std::vector<MenuItem*>& list);
  void Number(std::vector<MenuItem*>& list);
  UINT nextId_ = 100;
};

}  // namespace zw
