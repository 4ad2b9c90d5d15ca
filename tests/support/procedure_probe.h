#pragma once
// Tells from outside whether a window procedure is still there to be called: code of
// a loaded module (an image), committed, never memory that could be taken away.
#include <windows.h>

bool IsLoadedImageCode(WNDPROC procedure);
