#pragma once
// The About box, "Info Velnor": the program's icon and name, the file version read
// from the program's own version resource ("-" when it cannot be read), a notice
// naming the year and the maker, and a link to the maker's web address.
#include <memory>

#include "components/dialog/back_panel.h"
#include "components/dialog/markup_label.h"
#include "components/dialog/simple_label.h"
#include "components/dialog/skin_button.h"
#include "framework/form.h"
#include "framework/image.h"

// The maker's web address, which the link shows and opens, and the notice line.
inline constexpr char kMakerAddress[] = "http://example.com/";
inline constexpr char kMakerNotice[] = "Copyright (C) 2026 Dastrel. All rights reserved.";

class TAboutFrm : public TForm {
 public:
  explicit TAboutFrm(Component* owner);
  ~TAboutFrm() override;

  void ButtonOkClick(Component* Sender);

  std::unique_ptr<TBackPanel> BackPanel1;
  std::unique_ptr<TSkinButton> ButtonOk;
  std::unique_ptr<TSimpleLabel> SimpleLabel1;
  std::unique_ptr<TImage> Image1;
  std::unique_ptr<TSimpleLabel> strVers;
  std::unique_ptr<TSimpleLabel> SimpleLabel3;
  std::unique_ptr<TMarkupLabel> MarkupLabel1;

 private:
  void LoadLayout();
};
