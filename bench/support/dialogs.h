#pragma once
// Windows of another program opened and closed from outside, as a user does: real
// clicks (SendInput), the program's windows found by title and process, and when a
// window counts as painted.
#include <windows.h>

#include <functional>
#include <vector>

// Dispatches this thread's messages until done() or timeoutMs; false on the timeout.
bool PumpUntil(const std::function<bool()>& done, double timeoutMs);

// The pointer moved there and seen there, and 50 ms more: under Wine a late motion
// report of an earlier position could otherwise take the press with it.
void MovePointerTo(POINT screen);
// One SendInput: the left (or right) button pressed and released, each event carrying
// the point.
void PressAt(POINT screen, bool right = false);
// Both of the above.
void ClickAt(POINT screen, bool right = false);

// The visible top-level window of the process with this title (or, title null, of
// this class); null when there is none.
HWND ShownWindowOf(DWORD processId, const char* title, const char* className = nullptr);
// The window and all its descendants, which is what a program's windows count.
std::vector<HWND> WindowAndDescendants(HWND window);
// How many windows, top-level and child, the process has now.
int WindowsOf(DWORD processId);

POINT ClientToScreenAt(HWND window, POINT client);
// The screen's pixels in a rectangle of the window's client area.
std::vector<COLORREF> ClientPixels(HWND window, const RECT& client);

// Painted: the window is visible, neither it nor any window in it has anything left
// to paint (GetUpdateRect), and the pixels of the given client rectangle are those
// of the finished window (expected, taken once from a window left to settle).
bool Painted(HWND window, const RECT& probe, const std::vector<COLORREF>& expected);
// The probe rectangle's pixels once they stayed the same for 300 ms (3 s at most).
std::vector<COLORREF> SettledPixels(HWND window, const RECT& probe);

// Clicks the client point and waits for the window to go; when the click has not
// closed it within 1 s, sends WM_CLOSE. Returns false when WM_CLOSE was needed;
// throws std::runtime_error when the window does not close at all.
bool CloseByClick(HWND window, POINT client);
