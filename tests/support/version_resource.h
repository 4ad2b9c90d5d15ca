#pragma once
// Copies of the built program with another version resource, or none, for seeing
// what the About box shows then. The copy keeps every other resource.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Replaces the file's version resource with block, or removes it when block is null;
// true when the file was rewritten.
bool RewriteVersionResource(const std::string& path, const std::vector<std::uint8_t>* block);

// A copy of the built velnor.exe under another name in the test folder (or at a full
// path), its version resource replaced or removed; deleted again at the end.
class ProgramCopy {
 public:
  ProgramCopy(const std::string& name, const std::vector<std::uint8_t>* block);
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
