#include "dialog_template.h"

namespace {

class Reader {
 public:
  explicit Reader(const BYTE* p) : p_(p) {}
  WORD Word() { WORD w; memcpy(&w, p_, 2); p_ += 2; return w; }
  DWORD Dword() { DWORD d; memcpy(&d, p_, 4); p_ += 4; return d; }
  short Short() { return static_cast<short>(Word()); }
  std::string Text() {
    std::string s;
    for (WORD c; (c = Word()) != 0;) s += static_cast<char>(c < 256 ? c : '?');
    return s;
  }
  // A string or, after 0xFFFF, an ordinal written as "#n".
  std::string TextOrOrdinal() {
    WORD first;
    memcpy(&first, p_, 2);
    if (first == 0xFFFF) {
      p_ += 2;
      return "#" + std::to_string(Word());
    }
    return Text();
  }
  void AlignDword(const BYTE* base) {
    while ((p_ - base) % 4) ++p_;
  }
  void Skip(size_t n) { p_ += n; }

 private:
  const BYTE* p_;
};

std::string ClassName(const std::string& raw) {
  static const char* const atoms[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
  if (raw.size() > 1 && raw[0] == '#') {
    int atom = std::stoi(raw.substr(1));
    if (atom >= 0x80 && atom <= 0x85) return atoms[atom - 0x80];
  }
  for (const char* name : atoms) {
    if (lstrcmpiA(name, raw.c_str()) == 0) return name;
  }
  return raw;
}

}  // namespace

DialogTemplate ReadDialogTemplate(HMODULE module, int id) {
  DialogTemplate t;
  HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(id), reinterpret_cast<LPCSTR>(RT_DIALOG));
  if (!res) return t;
  const BYTE* base = static_cast<const BYTE*>(LockResource(LoadResource(module, res)));
  if (!base) return t;
  Reader r(base);
  t.found = true;
  t.style = r.Dword();
  r.Dword();  // extended style
  const WORD count = r.Word();
  r.Short();
  r.Short();
  t.cx = r.Short();
  t.cy = r.Short();
  r.TextOrOrdinal();  // menu
  r.TextOrOrdinal();  // class
  t.caption = r.Text();
  if (t.style & DS_SETFONT) {
    t.pointSize = r.Word();
    t.face = r.Text();
  }
  for (WORD i = 0; i < count; ++i) {
    r.AlignDword(base);
    TemplateItem item;
    item.style = r.Dword();
    r.Dword();
    item.x = r.Short();
    item.y = r.Short();
    item.cx = r.Short();
    item.cy = r.Short();
    item.id = static_cast<short>(r.Word());
    item.windowClass = ClassName(r.TextOrOrdinal());
    item.text = r.TextOrOrdinal();
    r.Skip(r.Word());  // creation data
    t.items.push_back(item);
  }
  return t;
}
