#include "screenshot.h"

#include "framework/gdi.h"
#include "unix_command.h"
#include "velnor_process.h"

namespace {
// out/ beside the build folder, where the test run keeps its pictures.
std::string OutFolder() {
  const std::string relative = TestBinaryFolder() + "..\\out";
  char full[MAX_PATH] = {};
  GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr);
  CreateDirectoryA(full, nullptr);
  return full;
}
}  // namespace

bool SaveScreenshot(const std::string& name) {
  const std::string file = UnixPath(OutFolder() + "\\" + name + ".png");
  return RunUnixCommand("import -window root " + ShellQuoted(file)) == 0;
}

std::vector<COLORREF> ScreenPixels(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  WindowDC screen(nullptr);
  MemoryDC copy(screen.Get(), width, height);
  BitBlt(copy.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  pixels.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(copy.Get(), x, y));
  return pixels;
}
