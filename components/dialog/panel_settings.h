#pragma once
// The background panel's smaller settings objects: sizing to its text and the
// place its position is remembered in. Values only; OnChange tells the panel.
#include <cstdint>
#include <string>

#include "components/paint/change_notice.h"

class TAutoSize {
 public:
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { SetAndNotify(enabled_, value, OnChange); }
  bool Height() const { return height_; }
  void SetHeight(bool value) { SetAndNotify(height_, value, OnChange); }
  bool Width() const { return width_; }
  void SetWidth(bool value) { SetAndNotify(width_, value, OnChange); }
  Event<> OnChange;

 private:
  bool enabled_ = false;
  bool height_ = true;
  bool width_ = true;
};

enum class TPanelPositionLocation : std::uint8_t { clRegistry, clInifile };

class TPanelPosition {
 public:
  bool Save() const { return save_; }
  void SetSave(bool value) { save_ = value; }
  TPanelPositionLocation Location() const { return location_; }
  void SetLocation(TPanelPositionLocation value) { location_ = value; }
  const std::string& Key() const { return key_; }
  void SetKey(std::string value) { key_ = std::move(value); }
  const std::string& Section() const { return section_; }
  void SetSection(std::string value) { section_ = std::move(value); }

 private:
  bool save_ = false;
  TPanelPositionLocation location_ = TPanelPositionLocation::clRegistry;
  std::string key_;
  std::string section_;
};
