#pragma once
// The built velnor.exe beside the running test, loaded for its resources only, so a
// test sees the artwork exactly as the program carries it.
#include <windows.h>

#include <string>

#include "pixel_area.h"

class ProgramResources {
 public:
  ProgramResources();
  ~ProgramResources();
  ProgramResources(const ProgramResources&) = delete;
  ProgramResources& operator=(const ProgramResources&) = delete;

  // Null when velnor.exe could not be loaded.
  HMODULE Module() const { return module_; }
  // The resource's bytes as stored; empty when there is none.
  std::string Bytes(const char* name, LPCSTR type) const;
  // The bitmap resource's pixels; empty when there is none.
  PixelArea Bitmap(const char* name) const;

 private:
  HMODULE module_ = nullptr;
};
