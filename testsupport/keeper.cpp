// Keeps the Wine desktop process alive for a whole test run: a hidden window and a message loop.
// Without it the desktop exits after each windowed test and the next one pays for its restart.
#include <windows.h>

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = inst;
  wc.lpszClassName = "SwTestKeeper";
  RegisterClassA(&wc);
  CreateWindowA("SwTestKeeper", "keeper", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, inst, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
