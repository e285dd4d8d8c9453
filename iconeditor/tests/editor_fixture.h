// A real main window of the editor inside the test process (hidden), with its own settings key,
// its own folder for the temporary file, recording seams and an answerer for its boxes.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "about_box.h"
#include "application.h"
#include "dialog_answerer.h"
#include "icon_form.h"
#include "icon_model.h"
#include "main_form.h"
#include "registry_scope.h"
#include "settings.h"
#include "temp_dir.h"
#include "zwicon.h"

namespace zwtest {

using namespace zwicon;
using namespace zw;

inline const char* kKey = "Software\\StrokewiseTests\\ZwIcon";
inline const char* kSection = "Software\\StrokewiseTests\\ZwIcon\\Icon Editor";

class Editor : public ::testing::Test {
 protected:
  sw::test::RegistryScope reg{HKEY_CURRENT_USER, kKey};
  sw::test::TempDir dir;
  sw::test::DialogAnswerer answer;
  std::unique_ptr<TMainForm> main;
  std::vector<std::string> helpCalls;
  std::vector<std::string> saveAsCalls;  // titles of the file browser's Save As
  std::vector<std::string> started;
  INT_PTR startResult = 42;

  void SetUp() override {
    answer.AlsoAnswer("ZwDialog");
    ResetEditor();
    App().Initialize(GetModuleHandleA(nullptr));
    App().title = "Zonware Icon Editor";
    TheEditor().settingsKey = kKey;
    TheEditor().seams.help = [this](const std::string& f, UINT cmd, ULONG_PTR data) {
      helpCalls.push_back(f + "|" + std::to_string(cmd) + "|" +
                          (cmd == HELP_COMMAND ? std::string(reinterpret_cast<const char*>(data)) : std::to_string(data)));
    };
    TheEditor().seams.startProgram = [this](const std::string& p) {
      started.push_back(p);
      return startResult;
    };
    TheEditor().seams.chooseFile = [this](files::FileChoice& c) {
      if (c.save) saveAsCalls.push_back(c.title);
      return false;
    };
    sw::test::SetRegString(HKEY_CURRENT_USER, kSection, "IconDir", dir.Path());
  }
  void TearDown() override { main.reset(); }

  // Starts the editor (settings read, temporary file made); hidden.
  void Start() {
    main = std::make_unique<TMainForm>();
    ASSERT_TRUE(main->Make());
  }
  TIconForm* NewDoc() {
    main->New1Click(nullptr);
    return main->ActiveDocument();
  }
  static void Down(TIconForm* d, int x, int y, bool right = false, WPARAM extra = 0) {
    SendMessageA(d->Panel3->hwnd, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, (right ? MK_RBUTTON : MK_LBUTTON) | extra,
                 MAKELPARAM(x, y));
  }
  static void Move(TIconForm* d, int x, int y, WPARAM keys = MK_LBUTTON) {
    SendMessageA(d->Panel3->hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
  }
  static void Up(TIconForm* d, int x, int y, bool right = false, WPARAM extra = 0) {
    SendMessageA(d->Panel3->hwnd, right ? WM_RBUTTONUP : WM_LBUTTONUP, extra, MAKELPARAM(x, y));
  }
  // Screen pixels of a cell's interior at the document's zoom.
  static int At(TIconForm* d, int cell) { return cell * d->Magnify + d->Magnify / 2 + (d->Magnify > 2 ? 1 : 0); }
  void Pick(TZonSpeedButton* tool) {
    tool->SetDown(true);
    main->DrawingToolClick(tool);
  }
};

}  // namespace zwtest
