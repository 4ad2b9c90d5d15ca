#include "app/about.h"

#include "app/about_version.h"

namespace {
constexpr TColor kLabelShadowColor = 12829635;  // light grey: red, green and blue 195
constexpr std::uint8_t kLabelShadowDepth = 4;
constexpr int kVersionTextSize = 32;
constexpr char kNotice[] = "Copyright (C) 2026 Dastrel. All rights reserved.";
}  // namespace

TAboutFrm::TAboutFrm(Component* owner) : TForm(owner) {
  LoadLayout();
  TProjectRcVersion version;
  char text[kVersionTextSize];
  if (version.QueryFileVersion(text, sizeof text)) strVers->SetCaption(text);
}

TAboutFrm::~TAboutFrm() {
  // The children go before the panel that holds them.
  MarkupLabel1.reset();
  SimpleLabel3.reset();
  strVers.reset();
  Image1.reset();
  SimpleLabel1.reset();
  ButtonOk.reset();
  BackPanel1.reset();
}

std::unique_ptr<TSimpleLabel> TAboutFrm::StyledLabel(const char* name, const char* caption, int left, int top,
                                                     int width) {
  auto label = std::make_unique<TSimpleLabel>(this);
  label->SetName(name);
  label->SetParent(BackPanel1.get());
  label->SetBounds(left, top, width, 15);
  label->SetCaption(caption);
  label->Font().SetBold(true);
  label->Font3D().SetStyle(TThreeDStyle::tdShadow);
  label->Font3D().SetShadowColor(kLabelShadowColor);
  label->Font3D().SetShadowDepth(kLabelShadowDepth);
  return label;
}

void TAboutFrm::LoadLayout() {
  BeginLoading();
  SetName("AboutFrm");
  SetCaption("Info Velnor");
  // The border first: the window's size is worked out from the client size and it.
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(true, false, false);
  SetClientSize(390, 99);
  SetColor(clBtnFace);
  SetPosition(TPosition::poOwnerFormCenter);

  BackPanel1 = std::make_unique<TBackPanel>(this);
  BackPanel1->SetName("BackPanel1");
  BackPanel1->SetParent(this);
  BackPanel1->SetBounds(0, 0, ClientWidth(), ClientHeight());
  BackPanel1->Background().LoadFromResourceName(GetModuleHandleA(nullptr), "PINSTRIPE");
  BackPanel1->SetBackgroundPosition(TBackGroundPosition::bpTiled);
  BackPanel1->Caption().SetVisible(false);

  Image1 = std::make_unique<TImage>(this);
  Image1->SetName("Image1");
  Image1->SetParent(BackPanel1.get());
  Image1->SetBounds(8, 8, 32, 32);
  Image1->SetAutoSize(true);
  Image1->Picture().LoadFromResource(1);

  SimpleLabel1 = StyledLabel("SimpleLabel1", "Velnor Version", 48, 8, 145);
  strVers = StyledLabel("strVers", "-", 173, 9, 49);
  SimpleLabel3 = StyledLabel("SimpleLabel3", kNotice, 64, 24, 321);

  MarkupLabel1 = std::make_unique<TMarkupLabel>(this);
  MarkupLabel1->SetName("MarkupLabel1");
  MarkupLabel1->SetParent(BackPanel1.get());
  MarkupLabel1->SetBounds(126, 44, 137, 17);
  MarkupLabel1->SetMarkupText({std::string("<a href=\"") + kMakerAddress + "\">" + kMakerAddress + "</a>"});
  MarkupLabel1->SetTransparent(true);
  MarkupLabel1->SetURLColor(clBlue);
  MarkupLabel1->SetShadowColor(clGray);
  MarkupLabel1->SetShadowOffset(2);

  ButtonOk = std::make_unique<TSkinButton>(this);
  ButtonOk->SetName("ButtonOk");
  ButtonOk->SetParent(BackPanel1.get());
  ButtonOk->SetBounds(160, 64, 72, 24);
  ButtonOk->SetCaption("OK");
  ButtonOk->SkinOptions().SetSkin(TSkin::skCyan);
  ButtonOk->SetMouseEnter(false);
  ButtonOk->Font().SetBold(true);
  ButtonOk->OnClick = Bind(this, &TAboutFrm::ButtonOkClick);
  EndLoading();
}

void TAboutFrm::ButtonOkClick(Component*) { Close(); }
