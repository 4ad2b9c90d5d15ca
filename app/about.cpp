#include "app/about.h"

#include "app/about_version.h"
#include "app/caption_label.h"
#include "app/form_font.h"

namespace {
constexpr int kVersionTextSize = 32;
}  // namespace

TAboutFrm::TAboutFrm(Component* owner) : TForm(owner) {
  LoadLayout();
  // Read from a layout, the button shows the face composed from the strip it held
  // then (silver); the cyan strip comes in now, as in the slot editor.
  ButtonOk->BuildSkin();
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

void TAboutFrm::LoadLayout() {
  BeginLoading();
  SetName("AboutFrm");
  SetCaption("Info Velnor");
  SetFormFont(Font());
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

  SimpleLabel1 = MakeCaptionLabel(this, *BackPanel1, "SimpleLabel1", "Velnor Version", 48, 8, 145);
  strVers = MakeCaptionLabel(this, *BackPanel1, "strVers", "-", 173, 9, 49);
  SimpleLabel3 = MakeCaptionLabel(this, *BackPanel1, "SimpleLabel3", kMakerNotice, 64, 24, 321);

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
