// Kurvo.exe's entry.
#include <windows.h>

#include <cstdlib>

#include "kurvo_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) { return kurvo::RunKurvo(instance, show); }

