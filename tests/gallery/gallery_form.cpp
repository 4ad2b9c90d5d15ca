#include "gallery_form.h"

#include <array>
#include <string>

#include "components/dialog/fx_label.h"
#include "components/dialog/markup.h"
#include "components/dialog/simple_label.h"
#include "framework/gdi.h"

namespace {
constexpr int kClientWidth = 1000, kClientHeight = 704;

// One markup caption drawn by DrawMarkup on white, as a label of the dialogs would.
class MarkupSample : public TControl {
 public:
  using TControl::TControl;
  void SetMarkup(std::string markup) { markup_ = std::move(markup); }
  void Paint(Canvas& canvas) override {
    const RECT client = ClientRect();
    canvas.FillRect(client, clWhite);
    MarkupCanvas markupCanvas(canvas.Handle(), MarkupFontFrom(Font()));
    MarkupResult result;
    RECT area = client;
    InflateRect(&area, -4, -2);
    DrawMarkup(markupCanvas, markup_, area, MarkupOptions{}, result);
  }

 private:
  std::string markup_;
};

void UseFont(TFont& font, const char* name, int height, bool bold) {
  font.Set(name, height, ANSI_CHARSET);
  font.SetBold(bold);
  font.SetColor(clBlack);
}

// The looks that follow the pointer, the mouse button or the focus: forced once shown.
enum class Forced { none, hot, down, focused };

struct BoxState {
  const char* caption;
  TCheckBoxState state;
  bool enabled;
  TLeftRight alignment = TLeftRight::taLeftJustify;
  Forced forced = Forced::none;
};
}  // namespace

template <class T>
T& GalleryForm::Add(TWinControl& parent, int x, int y, int width, int height) {
  auto part = std::make_unique<T>(this);
  T& control = *part;
  parts_.push_back(std::move(part));
  control.SetParent(&parent);
  control.SetBounds(x, y, width, height);
  return control;
}

GalleryForm::GalleryForm() : TForm(nullptr) {
  SetCaption("Velnor control gallery");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(true, false, false);
  SetClientSize(kClientWidth, kClientHeight);
  SetBounds(0, 0, Width(), Height());
  UseFont(Font(), "Tahoma", -11, false);
  AddCheckBoxes();
  AddLabels();
  AddSkinButtons();
  AddMarkupSamples();
  AddPanels();
}

GalleryForm::~GalleryForm() {
  // Children first, while the windows they sit on still exist.
  while (!parts_.empty()) parts_.pop_back();
}

void GalleryForm::Heading(TWinControl& parent, int x, int y, const char* text) {
  auto& label = Add<TSimpleLabel>(parent, x, y, 10, 10);
  UseFont(label.Font(), "Tahoma", -11, true);
  label.SetCaption(text);
}

TBackPanel& GalleryForm::Pinstripe(int x, int y, int width, int height) {
  auto& panel = Add<TBackPanel>(*this, x, y, width, height);
  // Loaded the way the dialogs load it: the tile resource of the running program.
  panel.Background().LoadFromResourceName(GetModuleHandleA(nullptr), "PINSTRIPE");
  panel.SetBackgroundPosition(TBackGroundPosition::bpTiled);
  panel.SetBorderColor(clBlack);
  return panel;
}

void GalleryForm::AddCheckBoxes() {
  const std::array<const char*, 5> looks{"btClassic", "btDrawn", "btFlat", "btBitmap", "btWinXP"};
  using enum TCheckBoxState;
  const BoxState rows[] = {
      {"Unchecked", cbUnchecked, true},
      {"<b>Checked</b>", cbChecked, true},
      {"Grayed", cbGrayed, true},
      {"Disabled", cbUnchecked, false},
      {"Disabled, checked", cbChecked, false},
      {"Hot (pointer over)", cbUnchecked, true, TLeftRight::taLeftJustify, Forced::hot},
      {"Pressed (Down)", cbChecked, true, TLeftRight::taLeftJustify, Forced::down},
      {"Focused", cbUnchecked, true, TLeftRight::taLeftJustify, Forced::focused},
      {"Read <a href=\"help\">the help</a>", cbChecked, true, TLeftRight::taLeftJustify, Forced::focused},
      {"Box on the right", cbChecked, true, TLeftRight::taRightJustify},
  };
  for (size_t look = 0; look < looks.size(); ++look) {
    const int x = 8 + static_cast<int>(look) * 198;
    Heading(*this, x, 4, looks[look]);
    for (size_t row = 0; row < std::size(rows); ++row) {
      const BoxState& state = rows[row];
      auto& box = Add<TMarkupCheckBox>(*this, x, 20 + static_cast<int>(row) * 22, 180, 20);
      box.SetButtonType(static_cast<TButtonType>(look));
      box.SetCaption(state.caption);
      box.SetState(state.state);
      box.SetEnabled(state.enabled);
      box.SetAlignment(state.alignment);
      UseFont(box.Font(), "Tahoma", -11, false);
      if (state.forced == Forced::hot) hotBoxes_.push_back(&box);
      if (state.forced == Forced::down) downBoxes_.push_back(&box);
      if (state.forced == Forced::focused) focusedBoxes_.push_back(&box);
    }
  }
}

void GalleryForm::AddLabels() {
  Heading(*this, 8, 246, "Labels on the pinstripe");
  TBackPanel& panel = Pinstripe(8, 262, 330, 440);
  Heading(panel, 8, 4, "TSimpleLabel");
  Heading(panel, 168, 4, "TFxLabel");
  const std::array<const char*, 11> styles{
      "tdNone",         "tdSunken", "tdRaised",  "tdSunkenShadow", "tdRaisedShadow", "tdPColorSunken",
      "tdPColorRaised", "tdShadow", "tdOutline", "tdExtrude",      "tdExtrudeEnh"};
  const std::array<const char*, 4> disabled{"dsAuto", "dsStandard", "ds3d", "dsNone"};
  auto place = [](TBaseLabel& label, T3DCaption& effect, const std::string& caption, int style,
                  int disabledStyle) {
    UseFont(label.Font(), "Arial", -17, true);
    label.Font().SetColor(RGB(0, 64, 128));
    label.SetColor(RGB(255, 200, 0));  // the brush colour the parent-colour styles draw in
    effect.SetStyle(static_cast<TThreeDStyle>(style));
    if (effect.Style() == TThreeDStyle::tdExtrude || effect.Style() == TThreeDStyle::tdExtrudeEnh)
      effect.SetShadowDepth(3);
    if (disabledStyle >= 0) {
      effect.SetDisabledStyle(static_cast<TDisabledStyle>(disabledStyle));
      label.SetEnabled(false);
    }
    label.SetCaption(caption);
  };
  for (int row = 0; row < 15; ++row) {
    const bool isDisabled = row >= 11;
    const std::string caption = isDisabled ? std::string("off, ") + disabled[row - 11] : styles[row];
    const int style = isDisabled ? static_cast<int>(TThreeDStyle::tdRaised) : row;
    const int disabledStyle = isDisabled ? row - 11 : -1;
    const int y = 22 + row * 25;
    auto& simple = Add<TSimpleLabel>(panel, 8, y, 10, 10);
    place(simple, simple.Font3D(), caption, style, disabledStyle);
    auto& fx = Add<TFxLabel>(panel, 168, y, 10, 10);
    place(fx, fx.FontFX(), caption, style, disabledStyle);
  }
  auto& framed = Add<TFxLabel>(panel, 8, 402, 10, 10);
  UseFont(framed.Font(), "Arial", -13, true);
  TBevelSettings bevel;
  bevel.StyleOuter = TBevelStyle::bvRaised;
  bevel.StyleInner = TBevelStyle::bvLowered;
  framed.Bevel().SetSettings(bevel);
  framed.SetCaption("Fx label in a bevel");
  auto& turned = Add<TFxLabel>(panel, 168, 398, 10, 10);
  UseFont(turned.Font(), "Arial", -13, true);
  turned.FontFX().SetAngle(10);
  turned.SetCaption("Fx label at 10 degrees");
}

void GalleryForm::AddSkinButtons() {
  Heading(*this, 346, 246, "TSkinButton");
  TBackPanel& panel = Pinstripe(346, 262, 330, 252);
  const std::array<const char*, 4> states{"normal", "hot", "pressed", "disabled"};
  for (size_t s = 0; s < states.size(); ++s) Heading(panel, 8 + static_cast<int>(s) * 80, 4, states[s]);
  const std::array<TSkin, 7> skins{TSkin::skCyan,  TSkin::skWhite,  TSkin::skRed,     TSkin::skSilver,
                                   TSkin::skBlack, TSkin::skOrange, TSkin::skDarkBlue};
  const std::array<const char*, 7> captions{"OK", "Cancel", "Delete", "Silver", "Black", "Orange", "Dark"};
  auto button = [&](int x, int y, int width, TSkin skin, const char* caption) -> TSkinButton& {
    auto& b = Add<TSkinButton>(panel, x, y, width, 24);
    UseFont(b.Font(), "Arial", -12, true);
    b.SetCaption(caption);
    b.SkinOptions().SetSkin(skin);
    return b;
  };
  for (size_t row = 0; row < skins.size(); ++row) {
    const int y = 20 + static_cast<int>(row) * 28;
    for (size_t s = 0; s < states.size(); ++s) {
      TSkinButton& b = button(8 + static_cast<int>(s) * 80, y, 72, skins[row], captions[row]);
      if (s == 1) hotButtons_.push_back(&b);
      if (s == 2) pressedButtons_.push_back(&b);
      if (s == 3) b.SetEnabled(false);
    }
  }
  button(8, 218, 30, TSkin::skGreen, "48");  // asks for 30: never narrower than 48
  button(64, 218, 100, TSkin::skGreen, "100 wide");
  button(172, 218, 150, TSkin::skDarkMangenta, "150 wide");
}

void GalleryForm::AddMarkupSamples() {
  const std::array<const char*, 7> samples{
      "<B>Bold</B>, <I>italic</I>, <U>underlined</U> and <S>struck</S>",
      "<FONT COLOR=\"#C00000\">red</FONT>, <FONT COLOR=\"clGreen\">green</FONT> and "
      "<FONT BGCOLOR=\"#FFFF00\">on yellow</FONT>",
      "Entities: &amp; &lt;tag&gt; &quot;q&quot; &copy; &reg; &trade; &euro; &sect;",
      "An anchor: <A HREF=\"http://example.com\">open the page</A> and text after it",
      "<UL><LI>first item<LI>second item</UL>",
      "H<SUB>2</SUB>O, x<SUP>2</SUP> and <SHADOW>a shadow</SHADOW>",
      "<P ALIGN=\"center\"><FONT FACE=\"Arial\" SIZE=\"4\">Arial, centred</FONT></P>",
  };
  int y = 530;
  Heading(*this, 346, y - 14, "DrawMarkup");
  for (const char* markup : samples) {
    const std::string text = markup;
    const int height = text.find("<UL>") == 0 ? 36 : text.find("SIZE") != std::string::npos ? 24 : 20;
    auto& sample = Add<MarkupSample>(*this, 346, y, 330, height);
    UseFont(sample.Font(), "Tahoma", -11, false);
    sample.SetMarkup(markup);
    y += height + 2;
  }
}

void GalleryForm::AddPanels() {
  Heading(*this, 684, 246, "TBackPanel");
  auto& gradient = Add<TBackPanel>(*this, 684, 262, 150, 90);
  gradient.SetColor(RGB(0, 64, 160));
  gradient.SetColorTo(RGB(230, 240, 255));
  gradient.Font().SetColor(clWhite);
  gradient.SetText("<B>ColorTo</B>: 64 bands");
  gradient.SetIndent(6);
  gradient.SetTopIndent(4);

  auto& captioned = Add<TBackPanel>(*this, 842, 262, 150, 90);
  captioned.SetColor(clWhite);
  captioned.Caption().SetVisible(true);
  captioned.Caption().SetText("<B>Caption bar</B>");
  captioned.Caption().SetCloseButton(true);
  captioned.Caption().SetMinMaxButton(true);
  captioned.SetText("Text below the bar");
  captioned.SetTopIndent(4);
  captioned.SetIndent(4);

  struct Frame {
    TPanelBevel outer, inner;
    int width;
    TColor border;
    const char* text;
  };
  const Frame frames[] = {
      {TPanelBevel::bvRaised, TPanelBevel::bvNone, 1, clNone, "Raised"},
      {TPanelBevel::bvLowered, TPanelBevel::bvNone, 1, clNone, "Lowered"},
      {TPanelBevel::bvRaised, TPanelBevel::bvLowered, 2, clNone, "Both, 2"},
  };
  for (size_t i = 0; i < std::size(frames); ++i) {
    auto& panel = Add<TBackPanel>(*this, 684 + static_cast<int>(i) * 104, 360, 100, 60);
    panel.SetBorderColor(frames[i].border);
    panel.SetBevelOuter(frames[i].outer);
    panel.SetBevelInner(frames[i].inner);
    panel.SetBevelWidth(frames[i].width);
    panel.SetText(frames[i].text);
    panel.SetIndent(8);
    panel.SetTopIndent(8);
  }
  auto& shadowed = Add<TBackPanel>(*this, 684, 428, 150, 70);
  shadowed.SetColor(clWhite);
  shadowed.SetBorderColor(RGB(0, 0, 160));
  shadowed.SetBorderShadow(true);
  shadowed.SetText("Border with its shadow");
  shadowed.SetIndent(6);
  shadowed.SetTopIndent(6);

  auto& sized = Add<TBackPanel>(*this, 842, 428, 150, 70);
  sized.SetCanSize(true);
  sized.SetText("Size grip");
  sized.SetIndent(6);
  sized.SetTopIndent(6);

  TBackPanel& about = Pinstripe(684, 506, 308, 99);
  about.SetText("<B>Pinstripe</B> tiled, as the About box shows it");
  about.SetIndent(8);
  about.SetTopIndent(8);
}

void GalleryForm::ForceStates() {
  // Down is the box's own state: set it and paint.
  for (TMarkupCheckBox* box : downBoxes_) {
    box->SetDown(true);
    box->Invalidate();
  }
  // Only one window holds the focus; each focused-row box is told it has it, as the
  // system tells the one that does.
  for (TMarkupCheckBox* box : focusedBoxes_) SendMessageA(box->Handle(), WM_SETFOCUS, 0, 0);
  for (TSkinButton* button : hotButtons_) {
    button->SetMouseEnter(true);
    button->MouseEnter();
  }
  for (TSkinButton* button : pressedButtons_) {
    button->MouseEnter();
    button->MouseDown(MouseButton::Left, {}, 10, 10);
    // Pressed stays; the capture would steal the pointer from the hot check box.
    button->SetMouseCapture(false);
  }
  // Hot follows the real pointer: it is put over the themed box of the hot row, which
  // tracks its leaving; the other looks have no hot picture.
  TMarkupCheckBox* themed = hotBoxes_.back();
  RECT box;
  GetWindowRect(themed->Handle(), &box);
  SetCursorPos(box.left + 6, box.top + 10);
  SendMessageA(themed->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 10));
}

void GalleryForm::Redraw() {
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
