#pragma once
// The gallery window: every dialog control in each of its states, laid out in one
// top-level form so both looks of the program's controls can be seen at a glance.
#include <memory>
#include <vector>

#include "components/dialog/back_panel.h"
#include "components/dialog/markup_check_box.h"
#include "components/dialog/skin_button.h"
#include "framework/form.h"

class GalleryForm : public TForm {
 public:
  GalleryForm();
  ~GalleryForm() override;

  // The hot, pressed and focused looks: forced through the controls' own setters and
  // real messages once the window is on screen, since they follow the pointer and focus.
  void ForceStates();
  // Paints the whole window and its children again, now.
  void Redraw();

 private:
  template <class T>
  T& Add(TWinControl& parent, int x, int y, int width, int height);
  void Heading(TWinControl& parent, int x, int y, const char* text);
  TBackPanel& Pinstripe(int x, int y, int width, int height);
  void AddCheckBoxes();
  void AddLabels();
  void AddSkinButtons();
  void AddMarkupSamples();
  void AddPanels();

  std::vector<std::unique_ptr<Component>> parts_;
  std::vector<TMarkupCheckBox*> hotBoxes_, downBoxes_, focusedBoxes_;
  std::vector<TSkinButton*> hotButtons_, pressedButtons_;
};
