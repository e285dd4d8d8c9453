#include "progman.h"

#include <ddeml.h>
#include <shlobj.h>

#include <vector>

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

namespace {

// Where the shell keeps a group's folder or an item's file, for the user and for all users.
std::vector<std::string> ShellPlaces(const std::string& group, const std::string& item) {
  std::vector<std::string> places;
  bool startUp = lstrcmpiA(group.c_str(), "StartUp") == 0;
  int folders[2] = {startUp ? CSIDL_STARTUP : CSIDL_PROGRAMS,
                    startUp ? CSIDL_COMMON_STARTUP : CSIDL_COMMON_PROGRAMS};
  for (int csidl : folders) {
    char path[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, csidl, nullptr, 0, path) != S_OK) continue;
    std::string place = path;
    if (!startUp) place += "\\" + group;
    if (!item.empty()) place += "\\" + item + ".lnk";
    places.push_back(place);
  }
  return places;
}

}  // namespace

bool ShellStillHas(const std::string& group, const std::string& item) {
  for (const auto& place : ShellPlaces(group, item)) {
    if (GetFileAttributesA(place.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  }
  return false;
}

bool DeleteProgramGroup(const ShellTarget& shell, const std::string& group) {
  // A folder window still open on the group (the shell opens one for a new group) keeps the
  // shell from deleting it for a moment: it is closed, and the deletion tried a few times.
  if (shell.service == "PROGMAN") CloseGroupWindow(group, 0);
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (attempt > 0) Sleep(400);
    ProgmanClient client(shell.service);
    if (client.Execute("[DeleteGroup(" + group + ")]", 10000) || !ShellStillHas(group, ""))
      return true;
  }
  return false;
}

bool DeleteProgramItem(const ShellTarget& shell, const std::string& group, const std::string& item) {
  // The item goes from the group selected last.
  ProgmanClient client(shell.service);
  bool ok = client.Execute("[CreateGroup(" + group + ")]", 10000) &&
            client.Execute("[DeleteItem(" + item + ")]", 10000);
  return ok || !ShellStillHas(group, item);
}

}  // namespace install
