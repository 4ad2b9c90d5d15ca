#include "version_resource.h"

#include <doctest.h>

#include "velnor_process.h"

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
    : path_(name.find('\\') == std::string::npos ? TestBinaryFolder() + name : name) {
  made_ = CopyFileA((TestBinaryFolder() + "velnor.exe").c_str(), path_.c_str(), FALSE) &&
          RewriteVersionResource(path_, block);
  if (!made_) MESSAGE("could not make " << path_ << " with " << (block ? "its own" : "no") << " version resource");
}

ProgramCopy::~ProgramCopy() { DeleteFileA(path_.c_str()); }
