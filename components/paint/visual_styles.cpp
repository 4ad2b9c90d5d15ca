#include "components/paint/visual_styles.h"

namespace {
using IsThemeActiveProc = BOOL(WINAPI*)();
using DrawThemeParentBackgroundProc = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

class ThemeLibrary {
 public:
  ThemeLibrary() : module_(LoadLibraryA("UxTheme.dll")) {
    if (!module_) return;
    isThemeActive_ = reinterpret_cast<IsThemeActiveProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "IsThemeActive")));
    drawParentBackground_ = reinterpret_cast<DrawThemeParentBackgroundProc>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DrawThemeParentBackground")));
  }
  ~ThemeLibrary() {
    if (module_) FreeLibrary(module_);
  }
  ThemeLibrary(const ThemeLibrary&) = delete;
  ThemeLibrary& operator=(const ThemeLibrary&) = delete;

  bool Active() const { return isThemeActive_ && isThemeActive_(); }
  bool DrawParentBackground(HWND window, HDC dc) const {
    return drawParentBackground_ && SUCCEEDED(drawParentBackground_(window, dc, nullptr));
  }

 private:
  HMODULE module_;
  IsThemeActiveProc isThemeActive_ = nullptr;
  DrawThemeParentBackgroundProc drawParentBackground_ = nullptr;
};

const ThemeLibrary& Library() {
  static const ThemeLibrary library;
  return library;
}

bool useXPThemes = true;
}  // namespace

void SetUseXPThemes(bool value) { useXPThemes = value; }
bool UseXPThemes() { return useXPThemes; }

bool ThemesUsable() { return useXPThemes && Library().Active(); }

bool ThemeDrawParentBackground(HWND window, HDC dc) { return Library().DrawParentBackground(window, dc); }
