#include "components/dialog/check_box_face.h"

#include <initializer_list>

#include "components/paint/visual_styles.h"
#include "framework/canvas.h"
#include "framework/gdi.h"
#include "framework/pixel_image_gdi.h"

namespace {
constexpr int kThemedCheckBoxPart = 3;

bool Checked(const CheckBoxLook& look) { return look.State == TCheckBoxState::cbChecked; }
bool RightAligned(const CheckBoxLook& look) { return look.Alignment == TLeftRight::taRightJustify; }
bool ShowsBitmap(const CheckBoxLook& look) {
  return look.ButtonType == TButtonType::btBitmap ||
         (look.ButtonType == TButtonType::btWinXP && !look.Themed);
}

// The top of the box: at top for tlTop, centreOffset above the middle for tlCenter,
// bottomOffset above the bottom for tlBottom.
int BoxTop(const CheckBoxLook& look, const RECT& client, int top, int centreOffset, int bottomOffset) {
  switch (look.VertAlign) {
    case TTextLayout::tlCenter:
      return (client.bottom - client.top) / 2 - centreOffset;
    case TTextLayout::tlBottom:
      return client.bottom - bottomOffset;
    default:
      return top;
  }
}

void DrawFrameBox(HDC dc, const RECT& client, const CheckBoxLook& look) {
  const int x = RightAligned(look) ? client.right - 13 : 0;
  const int y = BoxTop(look, client, 4, 6, 17);
  RECT box{x, y, x + 13, y + 13};
  UINT flags = DFCS_BUTTONCHECK;
  if (!look.Enabled || look.State == TCheckBoxState::cbGrayed) flags |= DFCS_INACTIVE;
  if (Checked(look)) flags |= DFCS_CHECKED;
  if (look.ButtonType == TButtonType::btFlat) flags |= DFCS_FLAT;
  DrawFrameControl(dc, &box, DFC_BUTTON, flags);
}

void Line(HDC dc, TColor color, int width, std::initializer_list<POINT> points) {
  PenHandle pen(CreatePen(PS_SOLID, width, ColorToRGB(color)));
  ScopedSelect select(dc, pen.Get());
  const POINT* first = points.begin();
  MoveToEx(dc, first->x, first->y, nullptr);
  for (const POINT* p = first + 1; p != points.end(); ++p) LineTo(dc, p->x, p->y);
}

void DrawDrawnBox(HDC dc, const RECT& client, const CheckBoxLook& look) {
  const int x = RightAligned(look) ? client.right - 13 : 1;
  const int y = BoxTop(look, client, 4, 6, 16);
  Canvas canvas(dc);
  const RECT box{x, y, x + 12, y + 12};
  canvas.FillRect(box, clBtnFace);
  if (look.Down) {
    RECT ring = box;
    canvas.FrameRect(ring, clBlack);
    InflateRect(&ring, -1, -1);
    canvas.FrameRect(ring, clBlack);
  } else {
    Line(dc, clBtnHighlight, 1, {{x, y + 11}, {x, y}, {x + 12, y}});
    Line(dc, clBtnShadow, 1, {{x + 11, y + 1}, {x + 11, y + 11}, {x, y + 11}});
  }
  if (Checked(look)) {
    const TColor tick = look.Enabled ? look.CheckColor : clGray;
    for (int dy = 0; dy < 2; ++dy)
      Line(dc, tick, 1, {{x + 3, y + 5 + dy}, {x + 5, y + 7 + dy}, {x + 9, y + 3 + dy}});
  } else if (look.State == TCheckBoxState::cbGrayed) {
    canvas.FillRect({x + 3, y + 3, x + 9, y + 9}, clBtnShadow);
  }
}

void DrawThemedBox(HDC dc, HWND window, const RECT& client, const CheckBoxLook& look) {
  const int x = RightAligned(look) ? client.right - 15 : 0;
  const int y = BoxTop(look, client, 4, 6, 14);
  ThemeDrawPart(window, L"button", dc, kThemedCheckBoxPart, ThemedCheckBoxState(look),
                {x, y, x + 14, y + 14});
}

void DrawBitmapBox(HDC dc, const RECT& client, const CheckBoxLook& look) {
  const PixelImage image = LoadBitmapPixels(GetModuleHandleA(nullptr), CheckBoxBitmapName(look));
  if (image.Empty()) return;  // a module without the pictures shows no box
  const int x = RightAligned(look) ? client.right - image.Width() - 1 : 0;
  const int topGap = look.ButtonType == TButtonType::btBitmap ? 0 : 2;
  const int y = BoxTop(look, client, topGap, image.Height() / 2, image.Height());
  // The picture's bottom-left pixel is its transparent colour.
  DrawPixelRowsTransparent(dc, x, y, image, 0, image.Height(), image.Pixel(0, image.Height() - 1));
}
}  // namespace

int ThemedCheckBoxState(const CheckBoxLook& look) {
  const int base = Checked(look) ? 4 : 0;
  if (!look.Enabled) return base + 4;
  if (look.Down) return base + 3;
  return base + (look.Hot ? 2 : 1);
}

const char* CheckBoxBitmapName(const CheckBoxLook& look) {
  if (!ShowsBitmap(look)) return nullptr;
  static const char* const kNames[2][2][2] = {
      // [winXP][checked][enabled]
      {{"CHKBOX04", "CHKBOX02"}, {"CHKBOX03", "CHKBOX01"}},
      {{"CHKBOX08", "CHKBOX06"}, {"CHKBOX07", "CHKBOX05"}},
  };
  return kNames[look.ButtonType == TButtonType::btWinXP][Checked(look)][look.Enabled];
}

RECT CheckBoxCaptionRect(const RECT& client, const CheckBoxLook& look) {
  const int offset = (ShowsBitmap(look) ? 10 : 5) + 12;
  RECT rect = client;
  if (RightAligned(look)) {
    rect.left = 0;
    rect.right -= offset;
  } else {
    rect.left += offset;
  }
  rect.top += 4;
  return rect;
}

void DrawCheckBoxFace(HDC dc, HWND window, const RECT& client, const CheckBoxLook& look) {
  switch (look.ButtonType) {
    case TButtonType::btClassic:
    case TButtonType::btFlat:
      DrawFrameBox(dc, client, look);
      return;
    case TButtonType::btDrawn:
      DrawDrawnBox(dc, client, look);
      return;
    case TButtonType::btWinXP:
      if (look.Themed) {
        DrawThemedBox(dc, window, client, look);
        return;
      }
      [[fallthrough]];
    case TButtonType::btBitmap:
      DrawBitmapBox(dc, client, look);
      return;
  }
}
