#include "progman.h"

#include <ddeml.h>

namespace install {

namespace {
HDDEDATA CALLBACK IgnoreDde(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}
}  // namespace

ProgmanClient::ProgmanClient(const std::string& service) {
  if (DdeInitializeA(&instance_, IgnoreDde, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0) !=
      DMLERR_NO_ERROR) {
    instance_ = 0;
    return;
  }
  service_ = DdeCreateStringHandleA(instance_, service.c_str(), CP_WINANSI);
  if (service_) conversation_ = DdeConnect(instance_, service_, service_, nullptr);
}

ProgmanClient::~ProgmanClient() {
  if (service_) DdeFreeStringHandle(instance_, service_);
  if (conversation_) DdeDisconnect(conversation_);
  if (instance_) DdeUninitialize(instance_);
}

bool ProgmanClient::Execute(const std::string& command, DWORD timeoutMs) {
  if (!conversation_) return false;
  DWORD result = 0;
  HDDEDATA data = DdeClientTransaction(
      reinterpret_cast<BYTE*>(const_cast<char*>(command.c_str())),
      static_cast<DWORD>(command.size() + 1), conversation_, nullptr, 0, XTYP_EXECUTE, timeoutMs,
      &result);
  return data != nullptr && (result & DDE_FACK);
}

bool CreateProgramGroup(const ShellTarget& shell, const std::string& group) {
  ProgmanClient client(shell.service);
  bool ok = client.Execute("[CreateGroup(" + group + ")]", 10000);
  if (shell.showGroups) client.Execute("[ShowGroup(" + group + ",1)]", 10000);
  return ok;
}

namespace {
struct WindowSearch {
  const std::string* title;
  HWND found;
};

BOOL CALLBACK FindFolderWindow(HWND h, LPARAM lp) {
  auto* search = reinterpret_cast<WindowSearch*>(lp);
  char cls[64] = {}, title[256] = {};
  GetClassNameA(h, cls, sizeof cls);
  GetWindowTextA(h, title, sizeof title);
  bool folder = lstrcmpA(cls, "ExplorerWClass") == 0 || lstrcmpA(cls, "ExploreWClass") == 0 ||
                lstrcmpA(cls, "CabinetWClass") == 0;
  if (folder && lstrcmpiA(search->title->c_str(), title) == 0) {
    search->found = h;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

bool CloseGroupWindow(const std::string& group, DWORD waitMs) {
  DWORD start = GetTickCount();
  do {
    WindowSearch search{&group, nullptr};
    EnumWindows(FindFolderWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      // Closed by its own process: wait a moment until it is gone.
      PostMessageA(search.found, WM_CLOSE, 0, 0);
      for (int i = 0; i < 40 && IsWindow(search.found); ++i) Sleep(50);
      return true;
    }
    Sleep(100);
  } while (GetTickCount() - start < waitMs);
  return false;
}

bool AddProgramItem(const ShellTarget& shell, const std::string& commandLine,
                    const std::string& name) {
  ProgmanClient client(shell.service);
  return client.Execute("[AddItem(" + commandLine + "," + name + ")]", 1000);
}

}  // namespace install
