#include "components/paint/visual_styles.h"

namespace {
using IsThemeActiveProc = BOOL(WINAPI*)();
using DrawThemeParentBackgroundProc = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
using OpenThemeDataProc = HANDLE(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataProc = HRESULT(WINAPI*)(HANDLE);
using DrawThemeBackgroundProc = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);

template <class Proc>
Proc Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class ThemeLibrary {
 public:
  ThemeLibrary() : module_(LoadLibraryA("UxTheme.dll")) {
    if (!module_) return;
    isThemeActive_ = Lookup<IsThemeActiveProc>(module_, "IsThemeActive");
    drawParentBackground_ = Lookup<DrawThemeParentBackgroundProc>(module_, "DrawThemeParentBackground");
    openThemeData_ = Lookup<OpenThemeDataProc>(module_, "OpenThemeData");
    closeThemeData_ = Lookup<CloseThemeDataProc>(module_, "CloseThemeData");
    drawThemeBackground_ = Lookup<DrawThemeBackgroundProc>(module_, "DrawThemeBackground");
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
  bool DrawPart(HWND window, LPCWSTR themeClass, HDC dc, int part, int state, const RECT& rect) const {
    if (!openThemeData_ || !closeThemeData_ || !drawThemeBackground_) return false;
    HANDLE theme = openThemeData_(window, themeClass);
    if (!theme) return false;
    const bool drawn = SUCCEEDED(drawThemeBackground_(theme, dc, part, state, &rect, nullptr));
    closeThemeData_(theme);
    return drawn;
  }

 private:
  HMODULE module_;
  IsThemeActiveProc isThemeActive_ = nullptr;
  DrawThemeParentBackgroundProc drawParentBackground_ = nullptr;
  OpenThemeDataProc openThemeData_ = nullptr;
  CloseThemeDataProc closeThemeData_ = nullptr;
  DrawThemeBackgroundProc drawThemeBackground_ = nullptr;
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

bool ThemeDrawPart(HWND window, LPCWSTR themeClass, HDC dc, int part, int state, const RECT& rect) {
  return Library().DrawPart(window, themeClass, dc, part, state, rect);
}
