// The control gallery: one window holding every dialog control in each of its
// states, photographed from the screen twice, with themed drawing on and then off.
//   velnor_gallery.exe FOLDER   writes FOLDER\gallery-themed.bmp and gallery-classic.bmp
// tools/gallery builds and runs it under Wine and turns the pictures into PNG files.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "components/paint/visual_styles.h"
#include "framework/application.h"
#include "framework/bmp_file.h"
#include "framework/gdi.h"
#include "framework/pixel_image_gdi.h"
#include "gallery_form.h"

namespace {
// Lets the window paint and the display show it: pending messages, a pause, and again.
void Settle() {
  for (int round = 0; round < 3; ++round) {
    Application::Instance().ProcessMessages();
    Sleep(200);
  }
  Application::Instance().ProcessMessages();
}

// The window as the screen shows it, frame and title bar included.
PixelImage Photograph(HWND window) {
  RECT area;
  GetWindowRect(window, &area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  WindowDC screen(nullptr);
  BitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  HDC copy = CreateCompatibleDC(screen.Get());
  {
    ScopedSelect select(copy, bitmap.Get());
    BitBlt(copy, 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
  }
  DeleteDC(copy);
  return ReadBitmapPixels(bitmap.Get());
}

bool Save(const PixelImage& picture, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodeBmp24(picture);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velnor_gallery FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  Application::Instance().Initialize();
  GalleryForm form;
  form.Show();
  SetForegroundWindow(form.Handle());
  Settle();
  form.ForceStates();
  Settle();
  const struct {
    bool themed;
    const char* name;
  } looks[] = {{true, "gallery-themed.bmp"}, {false, "gallery-classic.bmp"}};
  for (const auto& look : looks) {
    // Themes off: the check box's themed look falls back to its bitmaps.
    SetUseXPThemes(look.themed);
    form.Redraw();
    Settle();
    const PixelImage picture = Photograph(form.Handle());
    const std::string path = folder + "\\" + look.name;
    if (picture.Empty() || !Save(picture, path)) {
      std::fprintf(stderr, "gallery: could not write %s\n", path.c_str());
      return 1;
    }
    std::printf("gallery: wrote %s (%d x %d)\n", path.c_str(), picture.Width(), picture.Height());
  }
  return 0;
}
