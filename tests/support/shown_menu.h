#pragma once
// A popup menu shown by this process holds the showing thread in the menu's own loop.
// A reader on a second thread waits for the menu window, asks it for its menu
// (MN_GETHMENU) and reads the items back from the system, then closes it with Esc:
// what the user was shown, not what the program meant to build.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ShownMenuReader {
 public:
  // With a name, the screen is saved as that picture (screenshot.h) while the menu shows.
  explicit ShownMenuReader(std::string screenshot = {});
  ~ShownMenuReader();
  ShownMenuReader(const ShownMenuReader&) = delete;
  ShownMenuReader& operator=(const ShownMenuReader&) = delete;

  // Pumps until a menu was read and closed; false when none showed in time.
  bool WaitRead(DWORD timeoutMs = 5000);
  // Its items in order: the caption's bytes, "-" for a separator, "?" for an item
  // of any other kind; "(default)" follows a default item, "(checked)" a checked one.
  std::vector<std::string> Items() const;
  // The same joined by " | ", for messages.
  std::string Listed() const;

 private:
  void Watch();

  std::string screenshot_;
  mutable std::mutex mutex_;
  std::vector<std::string> items_;
  std::atomic<bool> read_{false}, stop_{false};
  std::thread thread_;
};
