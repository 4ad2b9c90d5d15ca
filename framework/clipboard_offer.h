#pragma once
// Text offered on the clipboard by delayed rendering: the clipboard is told that
// CF_TEXT is there, and the bytes are handed over only when a program asks for them.
// The asking is what tells the offerer that its text was read, so the next text can
// replace it without taking it away from a reader that has not come yet.
//
// Not every request is the reader that matters. Wine's bridge to the X clipboard
// reads nothing when the text appears (measured: no request in 3 s with nobody
// pasting), but it renders on behalf of any X program that asks, from the desktop
// process; an X clipboard manager asks at every change, and a clipboard history on
// Windows does the same. So only a read by the process expected to paste counts.
//
// The owner is a message window of the thread that makes this object; that thread
// must pump messages, since readers wait for it to render (the user-interface thread).
// Offers may come from any thread, one at a time.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "framework/clipboard.h"
#include "framework/message_window.h"
#include "framework/sync.h"

class ClipboardOffer {
 public:
  enum class Outcome {
    Read,      // the expected reader asked for the text
    Replaced,  // someone emptied the clipboard first: the text is no longer there to read
    TimedOut,  // nobody that counts asked in time; the text stays offered
  };
  enum class Replacement {
    Done,     // the clipboard held the offer untouched and now holds what was put there
    Changed,  // someone else changed the clipboard since the offer: left as they made it
    Held,     // another program kept the clipboard open: nothing was done
  };

  // throws Error when the window cannot be made
  explicit ClipboardOffer(std::string cannotOpenMessage = kClipboardHeldMessage);
  ~ClipboardOffer();  // a text still offered is rendered first, so it outlives its owner
  ClipboardOffer(const ClipboardOffer&) = delete;
  ClipboardOffer& operator=(const ClipboardOffer&) = delete;

  // Empties the clipboard and offers text (with its NUL) as CF_TEXT, the only format
  // placed; the number names this offer. Throws Error(the message given) when
  // another program holds the clipboard open, and then the clipboard is untouched;
  // the reader of the last text, still closing the clipboard, is waited for.
  // beforeEmptying runs with the clipboard open, just before it is emptied, so it sees
  // the content the offer replaces and nobody can change it in between.
  std::uint64_t Offer(const std::string& text, const std::function<void()>& beforeEmptying = {});
  // Whether the clipboard still holds this offer as this object left it: nobody emptied
  // it or put anything on it since (the system's sequence number moved only for this
  // object's own changes). Certain only while the clipboard is open.
  bool Unchanged(std::uint64_t offer) const;
  // Replaces the offer with what put places, inside one open of the clipboard, only
  // when it is Unchanged: a newer content of someone else's stays. Waits for the
  // offer's reader to close the clipboard, as Offer does.
  Replacement Replace(std::uint64_t offer, const std::function<void()>& put);
  // Only a read by a window of this process counts for the offer (0: none counts).
  // Other readers get the text all the same, but their reading says nothing about
  // the one that was meant to paste it (a clipboard history, a bridge to another
  // desktop: they read every new text as soon as it appears).
  void ExpectReader(std::uint64_t offer, DWORD processId);
  // Blocks until the offer was read by its expected reader, replaced, or the timeout
  // passed.
  Outcome WaitRead(std::uint64_t offer, std::chrono::milliseconds timeout);
  // Ends every WaitRead at once, now and later, as timed out: the program is ending
  // and cannot wait a whole read bound for a target that does not read.
  void StopWaiting();

  HWND Handle() const { return window_.Handle(); }

 private:
  void OnMessage(Message& message);
  void Render();     // on the owner's thread, inside a reader's open clipboard
  void RenderAll();  // the owner goes away: the text is put there for good
  static void PutText(const std::string& text);
  bool LastReaderCloses();
  bool Open();  // with the wait for the last reader
  void NoteOwnChange();

  const std::string cannotOpen_;
  mutable SlimMutex mutex_;
  Condition changed_;
  // All guarded by mutex_: what is offered now, and how far its reading has come.
  bool stopped_ = false;
  std::uint64_t lastOffer_ = 0;
  std::uint64_t offered_ = 0;  // the offer on the clipboard, 0 when none of ours is
  std::string text_;
  DWORD expectedReader_ = 0;
  HWND reader_ = nullptr;      // the window of the expected reader that asked, once it did
  HWND lastReader_ = nullptr;  // the same, kept until the next offer has the clipboard
  DWORD ownSequence_ = 0;      // the clipboard's sequence number after this object's last change

  MessageWindow window_;  // last: it goes first, before the state its handler uses
};
