#include "program_resources.h"

#include "framework/gdi.h"
#include "pixel_surface.h"
#include "velnor_process.h"

ProgramResources::ProgramResources()
    : module_(
          LoadLibraryExA((TestBinaryFolder() + "velnor.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}

ProgramResources::~ProgramResources() {
  if (module_) FreeLibrary(module_);
}

std::string ProgramResources::Bytes(const char* name, LPCSTR type) const {
  HRSRC found = FindResourceA(module_, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module_, found);
  const auto* data = static_cast<const char*>(LockResource(loaded));
  return data ? std::string(data, SizeofResource(module_, found)) : std::string{};
}

PixelArea ProgramResources::Bitmap(const char* name) const {
  if (!module_) return {};
  BitmapHandle bitmap(
      static_cast<HBITMAP>(LoadImageA(module_, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap.Get(), sizeof info, &info)) return {};
  PixelSurface surface(info.bmWidth, info.bmHeight);
  HDC source = CreateCompatibleDC(surface.Dc());
  {
    ScopedSelect select(source, bitmap.Get());
    BitBlt(surface.Dc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  }
  DeleteDC(source);
  return surface.Area();
}
