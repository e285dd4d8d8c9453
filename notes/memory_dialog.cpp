#include "memory_dialog.h"

#include <cstdio>

#include "quill_ids.h"

namespace quill {

std::string FormatKb(int64_t value) {
  char sign = ' ';
  if (value < 0) {
    sign = '-';
    value = -value;
  }
  char text[48];
  if (value >= 1000)
    snprintf(text, sizeof text, "%c%lld %03lld kb", sign, (long long)(value / 1000),
             (long long)(value % 1000));
  else
    snprintf(text, sizeof text, "%c%lld kb", sign, (long long)value);
  return text;
}

MemoryFields RefreshMemory(MemoryState& m, uint64_t availPhys, uint64_t totalPhys,
                           uint64_t availPage, uint64_t totalPage) {
  int64_t available = int64_t(availPhys + availPage);
  if (m.baseline == 0) {
    m.baseline = available;
    m.peak = 0;
  }
  int64_t used = m.baseline - available;
  if (used > m.peak) m.peak = used;
  return {int64_t(availPhys / 1024), int64_t(availPage / 1024), int64_t(totalPhys / 1024),
          int64_t(totalPage / 1024),  used / 1024,                 m.peak / 1024};
}

namespace {

void SetField(HWND dialog, int id, int64_t kb) {
  SetDlgItemTextA(dialog, id, FormatKb(kb).c_str());
}

void OnRefresh(HWND dialog, NoteTable& t) {
  MEMORYSTATUS ms{};
  ms.dwLength = sizeof ms;
  GlobalMemoryStatus(&ms);
  MemoryFields f = RefreshMemory(t.memory, ms.dwAvailPhys, ms.dwTotalPhys, ms.dwAvailPageFile,
                                 ms.dwTotalPageFile);
  SetField(dialog, IDC_MEM_AVAIL_PHYS, f.availPhys);
  SetField(dialog, IDC_MEM_TOTAL_PHYS, f.totalPhys);
  SetField(dialog, IDC_MEM_AVAIL_PAGE, f.availPage);
  SetField(dialog, IDC_MEM_TOTAL_PAGE, f.totalPage);
  SetField(dialog, IDC_MEM_USED, f.used);
  SetField(dialog, IDC_MEM_PEAK, f.peak);
}

INT_PTR OnInit(HWND dialog, NoteTable& t) {
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetTimer(dialog, TIMER_MEMORY, 1000, nullptr);
  OnRefresh(dialog, t);
  SetFocus(GetDlgItem(dialog, IDC_MEM_USED_BUTTON));
  return FALSE;
}

INT_PTR OnCommand(HWND dialog, NoteTable& t, int id) {
  switch (id) {
    case IDC_MEM_USED_BUTTON:
      t.memory.baseline = 0;  // a new measurement starts
      OnRefresh(dialog, t);
      return TRUE;
    case IDOK:
    case IDCANCEL:
      KillTimer(dialog, TIMER_MEMORY);
      EndDialog(dialog, id);
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK MemoryProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lp);
  auto* t = reinterpret_cast<NoteTable*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!t) return FALSE;
  switch (msg) {
    case WM_INITDIALOG: return OnInit(dialog, *t);
    case WM_TIMER: return OnRefresh(dialog, *t), TRUE;
    case WM_COMMAND: return OnCommand(dialog, *t, LOWORD(wp));
  }
  return FALSE;
}

}  // namespace

void ShowMemoryDialog(NoteTable& t) {
  DialogBoxParamA(t.instance, "Memory", nullptr, MemoryProc, LPARAM(&t));
}

}  // namespace quill
