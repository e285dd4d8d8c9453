#include "description.h"

#include <cctype>
#include <cstdlib>
#include <map>

#include "form.h"
#include "menu.h"

namespace zw {

namespace {

struct Lexer {
  const std::string& s;
  size_t i = 0;
  int line = 1;

  void SkipSpace() {
    while (i < s.size()) {
      char c = s[i];
      if (c == '\n') { ++line; ++i; }
      else if (c == ' ' || c == '\t' || c == '\r') ++i;
      else if (c == '#') { while (i < s.size() && s[i] != '\n') ++i; }
      else break;
    }
  }
  bool AtEnd() { SkipSpace(); return i >= s.size(); }
  char Peek() { SkipSpace(); return i < s.size() ? s[i] : 0; }
  bool Ident(std::string& out) {
    SkipSpace();
    size_t b = i;
    while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_' || s[i] == '.')) ++i;
    out = s.substr(b, i - b);
    return !out.empty() && !std::isdigit(static_cast<unsigned char>(out[0]));
  }
  bool Value(PropValue& v, std::string* err) {
    char c = Peek();
    if (c == '"') {
      ++i;
      v.kind = PropValue::String;
      v.text.clear();
      for (;;) {
        if (i >= s.size() || s[i] == '\n') { *err = "unterminated string"; return false; }
        if (s[i] == '"') {
          if (i + 1 < s.size() && s[i + 1] == '"') { v.text += '"'; i += 2; continue; }
          ++i;
          break;
        }
        v.text += s[i++];
      }
      return true;
    }
    if (c == '-' || std::isdigit(static_cast<unsigned char>(c))) {
      bool neg = c == '-';
      if (neg) ++i;
      size_t b = i;
      int base = 10;
      if (s.compare(i, 2, "0x") == 0 || s.compare(i, 2, "0X") == 0) { base = 16; i += 2; b = i; }
      while (i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i]))) ++i;
      if (i == b) { *err = "number expected"; return false; }
      v.kind = PropValue::Number;
      v.number = std::strtoll(s.substr(b, i - b).c_str(), nullptr, base);
      if (neg) v.number = -v.number;
      return true;
    }
    v.kind = PropValue::Ident;
    if (!Ident(v.text)) { *err = "value expected"; return false; }
    return true;
  }
};

bool ParseBlock(Lexer& lx, DescNode& node, std::string* err) {
  // After "Class Name {": properties and children until "}".
  for (;;) {
    char c = lx.Peek();
    if (c == '}') { ++lx.i; return true; }
    if (!c) { *err = "line " + zw::Num(lx.line) + ": '}' missing for " + node.name; return false; }
    int line = lx.line;
    std::string word;
    if (!lx.Ident(word)) { *err = "line " + zw::Num(line) + ": name expected"; return false; }
    if (lx.Peek() == '=') {
      ++lx.i;
      DescNode::Prop p{word, {}, line};
      std::string e;
      if (!lx.Value(p.value, &e)) { *err = "line " + zw::Num(line) + ": " + e; return false; }
      node.props.push_back(std::move(p));
      continue;
    }
    DescNode child;
    child.className = word;
    child.line = line;
    if (!lx.Ident(child.name) || lx.Peek() != '{') {
      *err = "line " + zw::Num(line) + ": expected 'Class Name {' or 'Property = value'";
      return false;
    }
    ++lx.i;
    if (!ParseBlock(lx, child, err)) return false;
    node.children.push_back(std::move(child));
  }
}

std::map<std::string, ComponentFactory>& Factories() {
  static std::map<std::string, ComponentFactory> f;
  return f;
}

struct Builder {
  Form& form;
  const FormTable& table;
  std::vector<std::unique_ptr<Component>>& out;
  std::vector<std::string> errors;
  std::vector<std::pair<const DescNode*, Component*>> made;

  void Error(int line, const std::string& m) { errors.push_back("line " + zw::Num(line) + ": " + m); }

  void Create(const DescNode& n, Component* container) {
    for (const DescNode& ch : n.children) {
      auto c = CreateComponent(ch.className);
      if (!c) {
        Error(ch.line, "unknown class " + ch.className);
        continue;
      }
      c->name = ch.name;
      c->owner = &form;
      Component* raw = c.get();
      if (auto* ctl = dynamic_cast<Control*>(raw)) {
        auto* wc = dynamic_cast<WinControl*>(container);
        if (!wc) Error(ch.line, ch.name + " is a control inside " + container->name + ", which holds no controls");
        else wc->AddChild(ctl);
      } else if (auto* item = dynamic_cast<MenuItem*>(raw)) {
        if (auto* mm = dynamic_cast<MainMenu*>(container)) mm->Add(item);
        else if (auto* pi = dynamic_cast<MenuItem*>(container)) pi->Add(item);
        else Error(ch.line, "menu item " + ch.name + " outside a menu");
      }
      out.push_back(std::move(c));
      made.emplace_back(&ch, raw);
      Create(ch, raw);
    }
  }

  void Apply(const DescNode& n, Component* c) {
    for (const auto& p : n.props) {
      EventSlot slot;
      if (p.name.rfind("On", 0) == 0 && c->FindEvent(p.name, slot)) {
        if (p.value.kind != PropValue::Ident) {
          Error(p.line, p.name + " of " + n.name + " needs a handler name");
          continue;
        }
        const TableEntry* e = table.Find(p.value.text);
        if (!e || !e->bind) Error(p.line, "no handler named " + p.value.text + " for " + n.name + "." + p.name);
        else if (!e->bind(&form, slot)) Error(p.line, "handler " + p.value.text + " does not fit event " + p.name);
        continue;
      }
      switch (c->SetProperty(p.name, p.value)) {
        case PropResult::Ok: break;
        case PropResult::Unknown: Error(p.line, n.className + " " + n.name + " has no property " + p.name); break;
        case PropResult::BadValue: Error(p.line, "bad value for " + n.name + "." + p.name); break;
      }
    }
  }
};

}  // namespace

bool ParseDescription(const std::string& text, DescNode& root, std::string* error) {
  Lexer lx{text};
  root = DescNode{};
  root.line = lx.line;
  if (!lx.Ident(root.className) || !lx.Ident(root.name) || lx.Peek() != '{') {
    *error = "line " + zw::Num(lx.line) + ": expected 'Form Name {'";
    return false;
  }
  ++lx.i;
  if (!ParseBlock(lx, root, error)) return false;
  if (!lx.AtEnd()) {
    *error = "line " + zw::Num(lx.line) + ": text after the form's end";
    return false;
  }
  return true;
}

void RegisterComponentClass(const std::string& n, ComponentFactory f) { Factories()[n] = f; }

std::unique_ptr<Component> CreateComponent(const std::string& n) {
  auto it = Factories().find(n);
  return std::unique_ptr<Component>(it == Factories().end() || !it->second ? nullptr : it->second());
}

const TableEntry* FormTable::Find(const std::string& n) const {
  for (const auto& e : entries)
    if (n == e.name) return &e;
  return nullptr;
}

std::vector<std::string> BuildForm(Form& form, const DescNode& root, const FormTable& table,
                                   std::vector<std::unique_ptr<Component>>& out) {
  Builder b{form, table, out, {}, {}};
  form.name = root.name;
  b.Create(root, &form);
  b.Apply(root, &form);
  for (auto& m : b.made) b.Apply(*m.first, m.second);
  for (const auto& e : table.entries) {
    if (!e.assign) continue;
    Component* c = form.FindComponent(e.name);
    if (!c) b.errors.push_back(std::string("no component named ") + e.name + " for the form's field");
    else if (!e.assign(&form, c)) b.errors.push_back(std::string("component ") + e.name + " is not of the field's class");
  }
  if (b.errors.empty())
    for (auto& m : b.made) m.second->Loaded();
  return b.errors;
}

}  // namespace zw
