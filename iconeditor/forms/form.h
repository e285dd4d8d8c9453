// Forms: top-level windows, MDI frames, MDI children and modal dialogs, built from a
// description (see description.h) and owning all their components.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>

#include "component.h"

namespace zw {

class MainMenu;
class MenuItem;
struct FormTable;

enum class FormStyle { Normal, MdiFrame, MdiChild, Dialog };
enum class FormPosition { Designed, Default, ScreenCenter };
enum class FormBorder { Sizeable, Dialog, Single };

// Modal results.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7;

class Form : public WinControl {
 public:
  static const char* kFormClass;
  static const char* kDialogClass;  // "ZwDialog": the class of modal forms
  static const char* kMdiChildClass;

  Form();
  ~Form() override;

  FormStyle formStyle = FormStyle::Normal;
  FormPosition position = FormPosition::Designed;
  FormBorder border = FormBorder::Sizeable;
  bool keyPreview = false;
  int minTrackWidth = 0, minTrackHeight = 0;
  int clientWidth = 0, clientHeight = 0;  // from the description, when given
  MainMenu* menu = nullptr;
  MenuItem* windowMenu = nullptr;  // the MDI window list
  HWND mdiClient = nullptr;
  int modalResult = mrNone;
  bool deleteOnDestroy = false;  // MDI children free themselves when their window goes
  Form* frame = nullptr;         // the MDI frame of an MDI child
  // A modal form's control with the keyboard focus: where the focus goes when the form is
  // shown or comes back to the front (null: the default button, else the first Tab stop).
  HWND focusedControl = nullptr;

  NotifyEvent OnCreate, OnShow, OnDestroy, OnActivate, OnResize, OnPaint, OnClose;
  CloseQueryEvent OnCloseQuery;
  KeyPressEvent OnKeyPress;

  // Applies a description (text) using the form class's name table; returns the errors
  // found (empty when all names resolved). On errors nothing is created.
  std::vector<std::string> Load(const std::string& text, const FormTable& table);
  // Loads the description embedded as resource `name` (type "FORM").
  std::vector<std::string> LoadResource(const char* name, const FormTable& table);
  // Creates the window (hidden, except MDI children) and fires OnCreate. Call after Load.
  bool Create(Form* mdiFrame = nullptr);
  // A form's start: LoadResource, its errors in one box titled with `name`, then Create.
  // False when the description has errors or the window cannot be made.
  bool LoadAndCreate(const char* name, const FormTable& table, Form* mdiFrame = nullptr);

  // Components by name, owned by the form.
  Component* FindComponent(const std::string& n) const;
  template <class T> T* Find(const std::string& n) const { return dynamic_cast<T*>(FindComponent(n)); }
  Component* Adopt(std::unique_ptr<Component> c);
  // Frees an adopted component (taken out of its parent first).
  void Release(Component* c);

  void Show();
  void Hide();
  int ShowModal();
  // Asks OnCloseQuery (and for a frame every MDI child); closes when allowed. Returns whether closed.
  bool Close();
  bool CloseQuery();
  void KeyPress(char& key) { if (OnKeyPress) OnKeyPress(this, key); }
  void SetCaption(const std::string& c) override;

  Form* MdiFrame() { return formStyle == FormStyle::MdiChild ? frame : this; }
  Form* ActiveMdiChild() const;
  const std::vector<Form*>& MdiChildren() const { return mdiChildren_; }
  void Tile(bool vertical);
  void Cascade();
  void ArrangeIcons();

  PropResult SetProperty(const std::string& prop, const PropValue& v) override;
  bool FindEvent(const std::string& event, EventSlot& slot) override;

 protected:
  const char* WindowClass() const override;
  DWORD Style() const override;
  DWORD ExStyle() const override;
  void PaintSelf(Canvas& c) override;
  void AlignRemainder(const RECT& r) override;
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  LRESULT OnMenuCommand(WORD id) override;
  void Destroyed() override;

  LRESULT OnCloseMsg();
  LRESULT OnGetMinMaxInfo(MINMAXINFO* mmi);
  LRESULT OnInitMenuPopup(HMENU popup);
  LRESULT OnSetMenu(HMENU m);
  LRESULT OnActivateMsg(bool active);
  LRESULT OnDialogActivate(WPARAM wp, LPARAM lp);
  void FocusFirstControl();
  LRESULT OnSizeMsg(WPARAM wp, LPARAM lp);
  LRESULT OnDestroyMsg();
  LRESULT OnCharMsg(WPARAM wp, LPARAM lp);

 private:
  std::vector<std::unique_ptr<Component>> components_;
  std::vector<Form*> mdiChildren_;
  std::string description_;
  bool shown_ = false;
};

// Error report for wrong names in a description: one box listing every error.
void ReportDescriptionErrors(const std::string& formName, const std::vector<std::string>& errors);

// The kinds of handler a form class declares, one per event signature.
namespace handler {
using Notify = void(Component* sender);
using Mouse = void(Component* sender, MouseButton, ShiftState, int x, int y);
using MouseMove = void(Component* sender, ShiftState, int x, int y);
using KeyPress = void(Component* sender, char& key);
using Key = void(Component* sender, WORD& key, ShiftState);
using CloseQuery = void(Component* sender, bool& canClose);
}  // namespace handler

}  // namespace zw

// One declaration per form class: two lists name each component (class, name) and each handler
// (kind, name) once, in the order of the name table:
//   #define ZW_ABOUT_COMPONENTS(X) X(TLabel3D, ProductName)
//   #define ZW_ABOUT_HANDLERS(X) X(Notify, SecretAreaDblClick)
// Inside the class, ZW_FORM_MEMBERS(ZW_ABOUT_COMPONENTS, ZW_ABOUT_HANDLERS) declares a pointer
// member per component (null until loaded), a member function per handler and Table(); the
// class's source file defines the table with ZW_FORM_TABLE (description.h). ZW_NO_HANDLERS
// stands for an empty handler list.
#define ZW_NO_HANDLERS(X)
#define ZW_COMPONENT_MEMBER_(Type, name) Type* name = nullptr;
#define ZW_HANDLER_MEMBER_(kind, name) ::zw::handler::kind name;
#define ZW_FORM_MEMBERS(COMPONENTS, HANDLERS) \
  COMPONENTS(ZW_COMPONENT_MEMBER_)            \
  HANDLERS(ZW_HANDLER_MEMBER_)                \
  static const ::zw::FormTable& Table();
