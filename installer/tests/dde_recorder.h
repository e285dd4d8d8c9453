// A DDE server standing in for the shell's Program Manager service: it runs on a thread of its
// own under a name unique to the test process and records every execute command it receives.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace install::test {

class DdeRecorder {
 public:
  DdeRecorder();
  ~DdeRecorder();
  DdeRecorder(const DdeRecorder&) = delete;
  DdeRecorder& operator=(const DdeRecorder&) = delete;

  const std::string& Service() const { return service_; }
  bool Running() const { return running_; }
  std::vector<std::string> Commands();
  // Commands containing `text` are recorded but not processed, as a shell refusing them.
  void Refuse(const std::string& text);

 private:
  static DWORD WINAPI ThreadMain(void* self);
  static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ topic, HSZ item,
                                    HDDEDATA data, ULONG_PTR, ULONG_PTR);

  std::string service_;
  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE ready_ = nullptr;
  bool running_ = false;
  DWORD instance_ = 0;
  HSZ name_ = nullptr;
  std::mutex lock_;
  std::vector<std::string> commands_;
  std::vector<std::string> refused_;
};

}  // namespace install::test
