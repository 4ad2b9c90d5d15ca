// The program's clipboard object against the real clipboard.
#include "framework/clipboard.h"

#include <doctest.h>

#include <string>

#include "clipboard_probe.h"
#include "framework/application.h"

namespace {
// The process's committed private memory, counted region by region (Wine reports no
// private usage through the process memory counters).
SIZE_T CommittedPrivateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION info{};
  for (const char* at = nullptr; VirtualQuery(at, &info, sizeof info) == sizeof info;
       at = static_cast<const char*>(info.BaseAddress) + info.RegionSize)
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
  return total;
}
}  // namespace

TEST_CASE("text goes on the clipboard as CF_TEXT with its NUL") {
  Application::Instance().Initialize();
  Clipboard clipboard;
  clipboard.SetTextBuf("abc");
  CHECK(ClipboardBlock(CF_TEXT) == std::string("abc\0", 4));
}

TEST_CASE("a block the system refuses to take is freed, not leaked") {
  Application::Instance().Initialize();
  // SetClipboardData refuses data while the process has the clipboard closed. The
  // object's counted open is held, and the clipboard closed under it, so writes go
  // through without opening anything and every block is refused.
  Clipboard clipboard;
  clipboard.Open();
  REQUIRE(CloseClipboard());
  const std::string big(8 << 20, 'x');
  const SIZE_T before = CommittedPrivateBytes();
  for (int i = 0; i < 24; ++i) clipboard.SetBuffer(CF_TEXT, big.data(), big.size());
  const SIZE_T grown = CommittedPrivateBytes() - before;
  clipboard.Close();
  INFO("committed private memory grew by " << grown / 1024 << " KB over 24 refused 8 MB blocks");
  CHECK(grown < (16u << 20));
  // The object's count is back to zero and the clipboard usable.
  clipboard.SetTextBuf("after");
  CHECK(ClipboardBlock(CF_TEXT) == std::string("after\0", 6));
}
