// Program groups and items through the shell's Program Manager DDE service (client only).
#pragma once
#include <windows.h>

#include <string>

namespace install {

// One DDE client instance, connected for one step and released when it ends.
class ProgmanClient {
 public:
  // `service` is "PROGMAN" for the shell; tests name a server of their own.
  explicit ProgmanClient(const std::string& service);
  ~ProgmanClient();
  ProgmanClient(const ProgmanClient&) = delete;
  ProgmanClient& operator=(const ProgmanClient&) = delete;

  bool Connected() const { return conversation_ != nullptr; }
  // Sends one execute command; true when the server acknowledged it.
  bool Execute(const std::string& command, DWORD timeoutMs);

 private:
  DWORD instance_ = 0;
  HSZ service_ = nullptr;
  HCONV conversation_ = nullptr;
};

struct ShellTarget {
  std::string service = "PROGMAN";
  bool showGroups = true;  // the silent mode opens no windows
};

// Creates a group (and, unless `showGroups` is off, shows it); false when the shell did not take it.
bool CreateProgramGroup(const ShellTarget& shell, const std::string& group);
// Closes the folder window that a shell opens for a new group (some open one even without
// ShowGroup), waiting up to `waitMs` for it to appear; false when none appeared.
bool CloseGroupWindow(const std::string& group, DWORD waitMs);
// Adds an item to the group created last.
bool AddProgramItem(const ShellTarget& shell, const std::string& commandLine,
                    const std::string& name);

// Whether the shell's folders still hold a group (`item` empty) or an item of it ("StartUp" is
// the system's start-up folder), for the user or for all users.
bool ShellStillHas(const std::string& group, const std::string& item);
// Deletes a group with its items; true when it is gone (a group the shell no longer has is).
bool DeleteProgramGroup(const ShellTarget& shell, const std::string& group);
// Deletes an item from a group Install did not create (StartUp); true when it is gone.
bool DeleteProgramItem(const ShellTarget& shell, const std::string& group, const std::string& item);

}  // namespace install
