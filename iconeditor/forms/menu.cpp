#include "menu.h"

#include <cctype>
#include <cstdio>

namespace zw {

static const struct { const char* name; WORD vk; } kKeyNames[] = {
    {"Backspace", VK_BACK}, {"Tab", VK_TAB},   {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"Space", VK_SPACE},
    {"PgUp", VK_PRIOR},     {"PgDn", VK_NEXT}, {"End", VK_END},      {"Home", VK_HOME},  {"Left", VK_LEFT},
    {"Up", VK_UP},          {"Right", VK_RIGHT}, {"Down", VK_DOWN},  {"Ins", VK_INSERT}, {"Del", VK_DELETE}};

ShortCut TextToShortCut(const std::string& text) {
  ShortCut mods = 0;
  std::string rest = text;
  for (;;) {
    if (rest.rfind("Ctrl+", 0) == 0) { mods |= scCtrl; rest = rest.substr(5); }
    else if (rest.rfind("Shift+", 0) == 0) { mods |= scShift; rest = rest.substr(6); }
    else if (rest.rfind("Alt+", 0) == 0) { mods |= scAlt; rest = rest.substr(4); }
    else break;
  }
  WORD vk = 0;
  if (rest.size() == 1 && (std::isupper(static_cast<unsigned char>(rest[0])) || std::isdigit(static_cast<unsigned char>(rest[0])))) {
    vk = static_cast<WORD>(rest[0]);
  } else if (rest.size() >= 2 && rest[0] == 'F' && std::isdigit(static_cast<unsigned char>(rest[1]))) {
    int n = std::atoi(rest.c_str() + 1);
    if (n >= 1 && n <= 24) vk = static_cast<WORD>(VK_F1 + n - 1);
  } else {
    for (auto& k : kKeyNames)
      if (rest == k.name) vk = k.vk;
  }
  return vk ? static_cast<ShortCut>(vk | mods) : 0;
}

std::string ShortCutToText(ShortCut sc) {
  if (!sc) return "";
  std::string s;
  if (sc & scShift) s += "Shift+";
  if (sc & scCtrl) s += "Ctrl+";
  if (sc & scAlt) s += "Alt+";
  WORD vk = sc & 0xFF;
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return s + static_cast<char>(vk);
  if (vk >= VK_F1 && vk <= VK_F24) return s + "F" + zw::Num(vk - VK_F1 + 1);
  for (auto& k : kKeyNames)
    if (k.vk == vk) return s + k.name;
  return s;
}

ShortCut KeyToShortCut(WORD vk) {
  ShortCut sc = vk & 0xFF;
  if (GetKeyState(VK_SHIFT) < 0) sc |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) sc |= scCtrl;
  if (GetKeyState(VK_MENU) < 0) sc |= scAlt;
  return sc;
}

// --- MenuItem ---

PropResult MenuItem::SetProperty(const std::string& p, const PropValue& v) {
  if (p == "Caption") {
    if (v.kind != PropValue::String) return PropResult::BadValue;
    caption = v.text;
  } else if (p == "ShortCut") {
    if (v.kind != PropValue::String || !(shortCut = TextToShortCut(v.text))) return PropResult::BadValue;
  } else if (p == "Checked" || p == "Enabled" || p == "Visible" || p == "RadioItem") {
    if (!v.IsBool()) return PropResult::BadValue;
    (p == "Checked" ? checked : p == "Enabled" ? enabled : p == "Visible" ? visible : radioItem) = v.IsTrue();
  } else {
    return Component::SetProperty(p, v);
  }
  return PropResult::Ok;
}

bool MenuItem::FindEvent(const std::string& e, EventSlot& slot) {
  if (e != "OnClick") return false;
  slot = &OnClick;
  return true;
}

std::string MenuItem::DisplayText() const {
  return shortCut ? caption + "\t" + ShortCutToText(shortCut) : caption;
}

void MenuItem::Add(MenuItem* child) {
  child->parentItem = this;
  child->menu = menu;
  items.push_back(child);
}

static HMENU ParentHandle(const MenuItem* m) {
  if (m->parentItem) return m->parentItem->popup;
  return m->menu ? m->menu->handle : nullptr;
}

void MenuItem::SetChecked(bool c) {
  checked = c;
  if (HMENU h = ParentHandle(this)) CheckMenuItem(h, id, MF_BYCOMMAND | (c ? MF_CHECKED : MF_UNCHECKED));
}

void MenuItem::SetEnabled(bool e) {
  enabled = e;
  if (HMENU h = ParentHandle(this)) {
    if (popup) {
      // A popup is found by its position.
      int n = GetMenuItemCount(h);
      for (int i = 0; i < n; ++i)
        if (GetSubMenu(h, i) == popup) EnableMenuItem(h, i, MF_BYPOSITION | (e ? MF_ENABLED : MF_GRAYED));
    } else {
      EnableMenuItem(h, id, MF_BYCOMMAND | (e ? MF_ENABLED : MF_GRAYED));
    }
  }
  if (!parentItem && menu) menu->Changed();
}

void MenuItem::SetVisible(bool v) {
  if (v == visible) return;
  visible = v;
  if (menu) menu->Build();
}

void MenuItem::SetCaption(const std::string& c) {
  caption = c;
  if (menu) menu->Build();
}

bool MenuItem::ShownEnabled() const {
  HMENU h = ParentHandle(this);
  if (!h || popup) return enabled;
  UINT st = GetMenuState(h, id, MF_BYCOMMAND);
  return st != 0xFFFFFFFF && !(st & (MF_GRAYED | MF_DISABLED));
}

// --- MainMenu ---

MainMenu::~MainMenu() {
  if (handle && !window) DestroyMenu(handle);
}

void MainMenu::Add(MenuItem* item) {
  item->parentItem = nullptr;
  item->menu = this;
  items.push_back(item);
}

void MainMenu::Number(std::vector<MenuItem*>& list) {
  for (MenuItem* m : list) {
    m->menu = this;
    if (!m->id) m->id = nextId_++;
    Number(m->items);
  }
}

void MainMenu::BuildInto(HMENU h, const std::vector<MenuItem*>& list) {
  for (MenuItem* m : list) {
    m->popup = nullptr;
    if (!m->visible) continue;
    if (m->IsSeparator()) {
      AppendMenuA(h, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (m->enabled ? 0 : MF_GRAYED) | (m->checked ? MF_CHECKED : 0);
    if (!m->items.empty()) {
      m->popup = CreatePopupMenu();
      BuildInto(m->popup, m->items);
      AppendMenuA(h, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(m->popup), m->DisplayText().c_str());
    } else {
      AppendMenuA(h, flags, m->id, m->DisplayText().c_str());
    }
  }
}

HMENU MainMenu::Build() {
  Number(items);
  HMENU h = CreateMenu();
  BuildInto(h, items);
  HMENU old = handle;
  handle = h;
  if (window) {
    // An MDI frame keeps its window list in the Window menu: the frame re-attaches it.
    SendMessageA(window, WM_USER + 0x7A00, reinterpret_cast<WPARAM>(h), 0);
  }
  if (old) DestroyMenu(old);
  return h;
}

void MainMenu::Changed() {
  if (window) DrawMenuBar(window);
}

static MenuItem* FindIn(const std::vector<MenuItem*>& list, UINT id, HMENU popup) {
  for (MenuItem* m : list) {
    if ((id && m->id == id) || (popup && m->popup == popup)) return m;
    if (MenuItem* f = FindIn(m->items, id, popup)) return f;
  }
  return nullptr;
}

MenuItem* MainMenu::FindById(UINT id) const { return FindIn(items, id, nullptr); }
MenuItem* MainMenu::FindByPopup(HMENU h) const { return h ? FindIn(items, 0, h) : nullptr; }

static MenuItem* FindShortCut(const std::vector<MenuItem*>& list, ShortCut sc) {
  for (MenuItem* m : list) {
    if (m->items.empty() && m->shortCut == sc) return m;
    if (MenuItem* f = FindShortCut(m->items, sc)) return f;
  }
  return nullptr;
}

bool MainMenu::HandleShortCut(ShortCut sc) {
  MenuItem* m = FindShortCut(items, sc);
  if (!m) return false;
  // The popups above the item get their opening handlers first, as when the menu is used.
  std::vector<MenuItem*> chain;
  for (MenuItem* p = m->parentItem; p; p = p->parentItem) chain.insert(chain.begin(), p);
  for (MenuItem* p : chain) p->Click();
  if (!m->enabled) return true;
  m->Click();
  return true;
}

}  // namespace zw
