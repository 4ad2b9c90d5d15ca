#include "version_resource.h"

#include <doctest.h>

#include "velnor_process.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& out, const void* data, size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), p, p + size);
}
void Align4(Bytes& out) {
  while (out.size() % 4) out.push_back(0);
}
void PutWord(Bytes& out, size_t at, size_t value) {
  const auto word = static_cast<std::uint16_t>(value);
  out[at] = static_cast<std::uint8_t>(word & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>(word >> 8);
}

// One node of a version resource as the resource compiler lays it out: length,
// value length, type (1 text, 0 binary), the key in UTF-16, the value and the
// children, each on a 4-byte boundary.
Bytes Node(const std::string& key, const Bytes& value, bool text, const std::vector<Bytes>& children = {}) {
  Bytes out(6, 0);
  for (char c : key) Append(out, &c, 1), out.push_back(0);
  out.push_back(0), out.push_back(0);
  Align4(out);
  Append(out, value.data(), value.size());
  for (const Bytes& child : children) {
    Align4(out);
    Append(out, child.data(), child.size());
  }
  PutWord(out, 0, out.size());
  PutWord(out, 2, text ? value.size() / 2 : value.size());
  PutWord(out, 4, text ? 1 : 0);
  return out;
}

Bytes Utf16Text(const std::string& text) {
  Bytes out;
  for (char c : text) out.push_back(static_cast<std::uint8_t>(c)), out.push_back(0);
  out.push_back(0), out.push_back(0);
  return out;
}

}  // namespace

std::vector<std::uint8_t> VersionBlockDescription::Translation(const std::vector<std::uint16_t>& halves) {
  Bytes out;
  Append(out, halves.data(), halves.size() * sizeof(std::uint16_t));
  return out;
}

std::vector<std::uint8_t> VersionBlock(const VersionBlockDescription& block) {
  VS_FIXEDFILEINFO fixed{};
  fixed.dwSignature = 0xFEEF04BD;
  fixed.dwStrucVersion = 0x00010000;
  Bytes fixedBytes;
  Append(fixedBytes, &fixed, sizeof fixed);
  std::vector<Bytes> strings;
  for (const auto& [key, text] : block.strings) strings.push_back(Node(key, Utf16Text(text), true));
  std::vector<Bytes> children{Node("StringFileInfo", {}, true, {Node(block.table, {}, true, strings)})};
  if (block.hasTranslation)
    children.push_back(Node("VarFileInfo", {}, true, {Node("Translation", block.translation, false)}));
  return Node("VS_VERSION_INFO", fixedBytes, false, children);
}

namespace {
// A type or name: a number (kept as MAKEINTRESOURCE) or a string (kept as text).
struct ResourceId {
  ULONG_PTR number = 0;
  std::string text;
  explicit ResourceId(LPCSTR id) {
    if (IS_INTRESOURCE(id))
      number = reinterpret_cast<ULONG_PTR>(id);
    else
      text = id;
  }
  LPCSTR Get() const { return text.empty() ? MAKEINTRESOURCEA(number) : text.c_str(); }
};

struct Resource {
  ResourceId type, name;
  WORD language;
  std::vector<std::uint8_t> bytes;
};

struct Reading {
  HMODULE file;
  std::vector<Resource> resources;
  WORD versionLanguage = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
};

BOOL CALLBACK OnLanguage(HMODULE file, LPCSTR type, LPCSTR name, WORD language, LONG_PTR context) {
  auto& reading = *reinterpret_cast<Reading*>(context);
  HRSRC found = FindResourceExA(file, type, name, language);
  HGLOBAL loaded = found ? LoadResource(file, found) : nullptr;
  const auto* data = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
  if (!data) return TRUE;
  if (type == MAKEINTRESOURCEA(16)) {
    reading.versionLanguage = language;
    return TRUE;
  }
  reading.resources.push_back({ResourceId(type), ResourceId(name), language,
                               std::vector<std::uint8_t>(data, data + SizeofResource(file, found))});
  return TRUE;
}

BOOL CALLBACK OnName(HMODULE file, LPCSTR type, LPSTR name, LONG_PTR context) {
  EnumResourceLanguagesA(file, type, name, OnLanguage, context);
  return TRUE;
}

// A bare file name goes into the test folder; a path stays as it is.
std::string InTestFolder(const std::string& name) {
  return name.find('\\') == std::string::npos ? TestBinaryFolder() + name : name;
}

BOOL CALLBACK OnType(HMODULE file, LPSTR type, LONG_PTR context) {
  EnumResourceNamesA(file, type, OnName, context);
  return TRUE;
}
}  // namespace

bool RewriteVersionResource(const std::string& path, const std::vector<std::uint8_t>* block) {
  Reading reading{LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), {}};
  if (!reading.file) return false;
  EnumResourceTypesA(reading.file, OnType, reinterpret_cast<LONG_PTR>(&reading));
  FreeLibrary(reading.file);
  // Removing one resource is not carried out everywhere: start from none and put the
  // others back.
  HANDLE update = BeginUpdateResourceA(path.c_str(), TRUE);
  if (!update) return false;
  bool ok = true;
  for (Resource& r : reading.resources)
    ok = ok && UpdateResourceA(update, r.type.Get(), r.name.Get(), r.language, r.bytes.data(),
                               static_cast<DWORD>(r.bytes.size()));
  if (block)
    ok = ok && UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), reading.versionLanguage,
                               const_cast<std::uint8_t*>(block->data()), static_cast<DWORD>(block->size()));
  return EndUpdateResourceA(update, ok ? FALSE : TRUE) && ok;
}

ProgramCopy::ProgramCopy(const std::string& name, const std::vector<std::uint8_t>* block)
    : path_(InTestFolder(name)) {
  made_ = CopyFileA((TestBinaryFolder() + "velnor.exe").c_str(), path_.c_str(), FALSE) &&
          RewriteVersionResource(path_, block);
  if (!made_)
    MESSAGE("could not make " << path_ << " with " << (block ? "its own" : "no") << " version resource");
}

ProgramCopy::ProgramCopy(const std::string& name) : path_(InTestFolder(name)) {
  made_ = CopyFileA((TestBinaryFolder() + "velnor.exe").c_str(), path_.c_str(), FALSE);
  if (!made_) MESSAGE("could not copy the program to " << path_);
}

ProgramCopy::~ProgramCopy() { DeleteFileA(path_.c_str()); }
