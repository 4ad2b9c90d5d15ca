#pragma once
// The visual-styles library, loaded at run time on first use and looked up by name;
// themed drawing needs it loaded, the program's switch on and a theme active now.
#include <windows.h>

// The program-wide switch for themed drawing (on by default); tests of the classic looks turn it off.
void SetUseXPThemes(bool value);
bool UseXPThemes();

// The library loaded, the switch on, and IsThemeActive true at this moment.
bool ThemesUsable();

// Lets window's parent draw its background into dc under window's area; false when it could not.
bool ThemeDrawParentBackground(HWND window, HDC dc);

// Draws one part of window's theme class (L"button", say) in a state into rect of dc, opening
// and closing the theme around it; false when the library or the class is not there.
bool ThemeDrawPart(HWND window, LPCWSTR themeClass, HDC dc, int part, int state, const RECT& rect);
