#include "dde_recorder.h"

#include <ddeml.h>

namespace install::test {

namespace {
DdeRecorder* g_recorder = nullptr;  // DDEML callbacks carry no context
}

DdeRecorder::DdeRecorder() {
  service_ = "SWPM" + std::to_string(GetCurrentProcessId());
  g_recorder = this;
  ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, &threadId_);
  WaitForSingleObject(ready_, 5000);
}

DdeRecorder::~DdeRecorder() {
  PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_, 5000);
  CloseHandle(thread_);
  CloseHandle(ready_);
  g_recorder = nullptr;
}

std::vector<std::string> DdeRecorder::Commands() {
  std::lock_guard<std::mutex> guard(lock_);
  return commands_;
}

void DdeRecorder::Refuse(const std::string& text) {
  std::lock_guard<std::mutex> guard(lock_);
  refused_.push_back(text);
}

DWORD WINAPI DdeRecorder::ThreadMain(void* self) {
  auto* r = static_cast<DdeRecorder*>(self);
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists from here on
  if (DdeInitializeA(&r->instance_, Callback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) ==
      DMLERR_NO_ERROR) {
    r->name_ = DdeCreateStringHandleA(r->instance_, r->service_.c_str(), CP_WINANSI);
    r->running_ = DdeNameService(r->instance_, r->name_, nullptr, DNS_REGISTER) != nullptr;
  }
  SetEvent(r->ready_);
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (r->instance_) {
    DdeNameService(r->instance_, r->name_, nullptr, DNS_UNREGISTER);
    DdeFreeStringHandle(r->instance_, r->name_);
    DdeUninitialize(r->instance_);
  }
  return 0;
}

HDDEDATA CALLBACK DdeRecorder::Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data,
                                        ULONG_PTR, ULONG_PTR) {
  DdeRecorder* r = g_recorder;
  if (!r) return nullptr;
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(
          static_cast<ULONG_PTR>(DdeCmpStringHandles(topic, r->name_) == 0));
    case XTYP_EXECUTE: {
      char text[1024] = {};
      DdeGetData(data, reinterpret_cast<BYTE*>(text), sizeof text - 1, 0);
      std::lock_guard<std::mutex> guard(r->lock_);
      r->commands_.push_back(text);
      for (const auto& refused : r->refused_) {
        if (std::string(text).find(refused) != std::string::npos) {
          return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FNOTPROCESSED));
        }
      }
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FACK));
    }
  }
  return nullptr;
}

}  // namespace install::test
