// Benchmark: how long the main window takes to answer WM_DRAWBEGIN with 256 scheme files
// installed. A second thread sends the message, as the hook library does, while this thread runs
// the window. Prints the median and the worst time.
//   kurvo_bench.exe [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "kurvo_ids.h"
#include "kurvo_state.h"
#include "main_window.h"
#include "notices.h"
#include "scheme_file.h"
#include "schemes.h"

using namespace kurvo;

namespace {

struct Job {
  HWND main;
  std::vector<HWND> targets;
  int rounds;
  std::vector<double> ms;
  std::vector<double> baseline;  // the same sends of WM_NULL: the cost of the round trip itself
};

DWORD WINAPI Sender(void* p) {
  Job& job = *static_cast<Job*>(p);
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  for (int i = 0; i < job.rounds; ++i) {
    HWND target = job.targets[i % job.targets.size()];
    QueryPerformanceCounter(&a);
    SendMessageA(job.main, WM_DRAWBEGIN, 0, reinterpret_cast<LPARAM>(target));
    QueryPerformanceCounter(&b);
    job.ms.push_back(1000.0 * (b.QuadPart - a.QuadPart) / freq.QuadPart);
    QueryPerformanceCounter(&a);
    SendMessageA(job.main, WM_NULL, 0, 0);
    QueryPerformanceCounter(&b);
    job.baseline.push_back(1000.0 * (b.QuadPart - a.QuadPart) / freq.QuadPart);
  }
  PostMessageA(job.main, WM_NULL, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? atoi(argv[1]) : 2000;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string dir = std::string(temp) + "kurvo_bench_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\schemes").c_str(), nullptr);
  KurvoState& k = Kurvo();
  k.settings.directory = dir;
  DerivePaths(k.settings);
  WriteHeaderTo(k.settings.schemeDir + "default.kvo", SchemeHeader{"Default", "", "", 0, 0, 1, ""});
  for (int i = 0; i < 255; ++i) {
    SchemeHeader h{"App " + std::to_string(i), "BenchClass" + std::to_string(i), "1.0", 0, 0, i % 4, ""};
    WriteHeaderTo(k.settings.schemeDir + "app" + std::to_string(i) + "0.kvo", h);
  }

  HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterMainClass(instance);
  HWND main = CreateMainWindow(instance);
  ScanSchemes();
  LoadScheme(kDefaultScheme);

  Job job{main, {}, rounds, {}};
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  for (int i = 0; i < 256; i += 17) {
    std::string cls = i < 255 ? "BenchClass" + std::to_string(i) : "Unknown";
    wc.lpszClassName = cls.c_str();
    RegisterClassA(&wc);
    job.targets.push_back(CreateWindowA(cls.c_str(), ("App " + std::to_string(i) + " - doc").c_str(),
                                        WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr));
  }
  HANDLE thread = CreateThread(nullptr, 0, Sender, &job, 0, nullptr);
  MSG msg;
  while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
    MsgWaitForMultipleObjects(1, &thread, FALSE, 100, QS_ALLINPUT);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  CloseHandle(thread);
  std::sort(job.ms.begin(), job.ms.end());
  std::sort(job.baseline.begin(), job.baseline.end());
  auto p99 = [](const std::vector<double>& v) { return v[v.size() * 99 / 100]; };
  printf("WM_DRAWBEGIN with %zu schemes, %d rounds: median %.3f ms, 99%% %.3f ms, worst %.3f ms\n",
         k.schemes.size(), rounds, job.ms[job.ms.size() / 2], p99(job.ms), job.ms.back());
  printf("(WM_NULL round trip alone: median %.3f ms, 99%% %.3f ms, worst %.3f ms)\n",
         job.baseline[job.baseline.size() / 2], p99(job.baseline), job.baseline.back());
  DestroyWindow(main);
  for (HWND t : job.targets) DestroyWindow(t);
  WIN32_FIND_DATAA data;
  HANDLE h = FindFirstFileA((k.settings.schemeDir + "*").c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    do DeleteFileA((k.settings.schemeDir + data.cFileName).c_str());
    while (FindNextFileA(h, &data));
    FindClose(h);
  }
  RemoveDirectoryA(k.settings.schemeDir.c_str());
  RemoveDirectoryA(dir.c_str());
  return 0;
}
