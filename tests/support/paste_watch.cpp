#include "paste_watch.h"

#include <windows.h>

#include "clipboard_probe.h"
#include "wait.h"

namespace {
const std::string kMark = "no paste came";
// Several times the worker's 100 ms wait.
constexpr DWORD kPastePatience = 3000;
constexpr DWORD kNoPasteWait = 500;
constexpr DWORD kWorkerEnds = 200;

bool Holds(const std::string& text) { return ClipboardBlock(CF_TEXT) == text + '\0'; }
}  // namespace

void MarkClipboard() { ReplaceClipboard({{CF_TEXT, kMark + '\0'}}); }

bool ClipboardGets(const std::string& text) {
  if (!PumpUntil([&text] { return Holds(text); }, kPastePatience)) return false;
  PumpFor(kWorkerEnds);
  return true;
}

bool ClipboardKeepsMark() {
  PumpFor(kNoPasteWait);
  return Holds(kMark);
}
