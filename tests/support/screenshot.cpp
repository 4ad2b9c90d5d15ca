#include "screenshot.h"

#include <shlobj.h>

#include "framework/gdi.h"
#include "unix_command.h"
#include "velnor_process.h"

std::string OutPath(const std::string& name) {
  // The tests run in build/<arch>/: out/ is two folders up, beside build/.
#if defined(_WIN64)
  const std::string relative = TestBinaryFolder() + "..\\..\\out\\x86_64";
#else
  const std::string relative = TestBinaryFolder() + "..\\..\\out\\i686";
#endif
  char full[MAX_PATH] = {};
  GetFullPathNameA(relative.c_str(), MAX_PATH, full, nullptr);
  SHCreateDirectoryExA(nullptr, full, nullptr);
  return std::string(full) + "\\" + name;
}

bool SaveScreenshot(const std::string& name) {
  const std::string file = UnixPath(OutPath(name + ".png"));
  return RunUnixCommand("import -window root " + ShellQuoted(file)) == 0;
}

std::vector<COLORREF> ScreenPixels(const RECT& area) { return WindowPixels(nullptr, area); }

std::vector<COLORREF> WindowPixels(HWND window, const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  WindowDC source(window);
  MemoryDC copy(source.Get(), width, height);
  BitBlt(copy.Get(), 0, 0, width, height, source.Get(), area.left, area.top, SRCCOPY);
  std::vector<COLORREF> pixels;
  pixels.reserve(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(copy.Get(), x, y));
  return pixels;
}
