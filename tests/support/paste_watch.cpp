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
DWORD markSequence = 0;
}  // namespace

void MarkClipboard() {
  ReplaceClipboard({{CF_TEXT, kMark + '\0'}});
  markSequence = GetClipboardSequenceNumber();
}

bool ClipboardGets(const std::string& text) {
  // The clipboard is opened only once its content has changed: a watcher that kept
  // opening it to look would be another program holding it just when the worker makes
  // its one attempt to open it, and the paste would be lost because of the watching.
  if (!PumpUntil([&text] { return GetClipboardSequenceNumber() != markSequence && Holds(text); },
                 kPastePatience))
    return false;
  PumpFor(kWorkerEnds);
  return true;
}

bool ClipboardKeepsMark() {
  PumpFor(kNoPasteWait);
  return Holds(kMark);
}
