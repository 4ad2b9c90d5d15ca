#pragma once
// Message pumping for tests that wait on real windows, hotkeys and threads.
#include <windows.h>

#include <functional>

// Dispatches this thread's messages for the given time.
void PumpFor(DWORD milliseconds);
// Dispatches messages until done() holds or the timeout passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
