#pragma once
// Copies of the built program with another version resource, or none, for seeing
// what the About box shows then. The copy keeps every other resource.
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// What a version resource written by a test holds.
struct VersionBlockDescription {
  std::string table = "041103a4";  // the string table's name: language and code page in hex
  std::vector<std::pair<std::string, std::string>> strings{{"FileVersion", "1.0.0.0"}};
  bool hasTranslation = true;
  // The "Translation" value's bytes: 16-bit halves, language then code page.
  std::vector<std::uint8_t> translation = Translation({0x0411, 932});

  static std::vector<std::uint8_t> Translation(const std::vector<std::uint16_t>& halves);
};

// The version resource as the resource compiler lays it out (UTF-16 keys and texts,
// every node on a 4-byte boundary).
std::vector<std::uint8_t> VersionBlock(const VersionBlockDescription& block);

// Replaces the file's version resource with block, or removes it when block is null;
// true when the file was rewritten.
bool RewriteVersionResource(const std::string& path, const std::vector<std::uint8_t>* block);

// A copy of the built velnor.exe under another name in the test folder (or at a full
// path), its version resource replaced or removed; deleted again at the end.
class ProgramCopy {
 public:
  ProgramCopy(const std::string& name, const std::vector<std::uint8_t>* block);
  // A plain copy, every resource kept.
  explicit ProgramCopy(const std::string& name);
  ~ProgramCopy();
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;

  const std::string& Path() const { return path_; }
  // Whether the copy was made and rewritten.
  bool Made() const { return made_; }

 private:
  std::string path_;
  bool made_ = false;
};
