// The Memory dialog: available and total memory, and what was used since a baseline.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "note_table.h"

namespace quill {

// " 32 000 kb", " 999 kb", "-1 500 kb": sign or space, then thousands grouped once.
std::string FormatKb(int64_t value);

// The seven field values, in kilobytes, after one refresh of the memory state.
struct MemoryFields {
  int64_t availPhys, availPage, totalPhys, totalPage, used, peak;
};
// Sets the baseline on the first refresh after a reset, tracks the peak of use.
MemoryFields RefreshMemory(MemoryState& m, uint64_t availPhys, uint64_t totalPhys,
                           uint64_t availPage, uint64_t totalPage);

// Command 401: the modal dialog, refreshed every second.
void ShowMemoryDialog(NoteTable& t);

}  // namespace quill
