// Form descriptions: a readable text embedded in the program as a resource of type "FORM".
//
//   Form MainForm {
//     Caption = "Zonware Icon Editor"     strings in double quotes ("" inside is one quote)
//     Width = 640                          numbers, decimal or 0x hexadecimal, may be negative
//     Align = Bottom                       identifiers (enumerations, True/False, colour names)
//     OnCreate = FormCreate                events: the name of a handler of the form class
//     Panel ToolPanel {                    a child component: class, name, then its block
//       ...
//     }
//   }
//   '#' starts a comment that runs to the end of the line.
//
// A form class declares one name table: its component fields and its handlers, each listed once
// by name (ZW_FORM_MEMBERS in form.h with ZW_FORM_TABLE here, or entries by hand: ZW_FIELD,
// ZW_HANDLER). Every name in a description must resolve: an unknown class, property, value,
// event or handler, a handler of the wrong kind for its event, or a field without its component
// is an error, reported at start with its line.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "component.h"

namespace zw {

class Form;

struct DescNode {
  std::string className, name;
  int line = 0;
  struct Prop {
    std::string name;
    PropValue value;
    int line = 0;
  };
  std::vector<Prop> props;
  std::vector<DescNode> children;
};

// Parses a description; on a syntax error returns false with "line N: ..." in *error.
bool ParseDescription(const std::string& text, DescNode& root, std::string* error);

// Component classes known to descriptions.
// A plain function per class (not a std::function: each of those costs the program its own
// manager code, and the program must stay small).
using ComponentFactory = Component* (*)();
void RegisterComponentClass(const std::string& className, ComponentFactory f);
std::unique_ptr<Component> CreateComponent(const std::string& className);
template <class T> Component* NewComponent() { return new T; }
template <class T> void RegisterClass(const std::string& n) { RegisterComponentClass(n, &NewComponent<T>); }
// Registers the layer's own classes (Panel, Button, Label, ...). Called by Form::Load.
void RegisterStandardClasses();

// One entry of a form class's name table: a handler binds itself to an event slot of the form
// (false when the kinds differ); a field stores a component in the form's member (false when
// its class differs). Entries are plain function pointers made per member at compile time.
struct TableEntry {
  const char* name;
  bool (*bind)(Form*, EventSlot);
  bool (*assign)(Form*, Component*);
};
struct FormTable {
  std::vector<TableEntry> entries;
  FormTable(std::initializer_list<TableEntry> e) : entries(e) {}
  const TableEntry* Find(const std::string& n) const;
};

// Calls a handler of form class F: one small functor type per class and signature.
template <class F, class... A> struct HandlerThunk {
  F* self;
  void (F::*method)(Component*, A...);
  void operator()(Component* s, A... a) const { (self->*method)(s, a...); }
};

template <class M> struct MemberSig;
template <class F, class... A> struct MemberSig<void (F::*)(Component*, A...)> {
  template <void (F::*M)(Component*, A...)> static bool Bind(Form* f, EventSlot slot) {
    using Fn = std::function<void(Component*, A...)>;
    auto* p = std::get_if<Fn*>(&slot);
    if (!p) return false;
    **p = HandlerThunk<F, A...>{static_cast<F*>(f), M};
    return true;
  }
};
template <class F, class T> struct MemberSig<T* F::*> {
  template <T* F::*M> static bool Assign(Form* f, Component* c) {
    T* t = dynamic_cast<T*>(c);
    if (!t) return false;
    static_cast<F*>(f)->*M = t;
    return true;
  }
};

#define ZW_HANDLER(Class, name) \
  ::zw::TableEntry { #name, &::zw::MemberSig<decltype(&Class::name)>::template Bind<&Class::name>, nullptr }
#define ZW_FIELD(Class, name) \
  ::zw::TableEntry { #name, nullptr, &::zw::MemberSig<decltype(&Class::name)>::template Assign<&Class::name> }

// Defines Class::Table() from the lists of ZW_FORM_MEMBERS (form.h): fields first, then handlers.
#define ZW_TABLE_FIELD_(Type, name) ZW_FIELD(ZwTableForm_, name),
#define ZW_TABLE_HANDLER_(kind, name) ZW_HANDLER(ZwTableForm_, name),
#define ZW_FORM_TABLE(Class, COMPONENTS, HANDLERS)                                            \
  const ::zw::FormTable& Class::Table() {                                                     \
    using ZwTableForm_ = Class;                                                               \
    static const ::zw::FormTable t = {COMPONENTS(ZW_TABLE_FIELD_) HANDLERS(ZW_TABLE_HANDLER_)}; \
    return t;                                                                                 \
  }

// Builds the components of a parsed description into a form; returns the errors.
std::vector<std::string> BuildForm(Form& form, const DescNode& root, const FormTable& table,
                                   std::vector<std::unique_ptr<Component>>& out);

}  // namespace zw
