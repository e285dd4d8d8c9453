// Quillnote's entry point.
#include <windows.h>

#include "quillnote_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return quill::RunQuillnote(instance, commandLine);
}
