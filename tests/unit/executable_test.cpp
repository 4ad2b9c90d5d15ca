// The built velnor.exe beside this test, read back as a file: it is a GUI program of
// the same architecture as the test (so each build's suite checks its own build),
// it imports system DLLs only, names no networking library anywhere in its image (so
// it can neither import one nor load one at run time by name), and its manifest names
// an architecture Windows will accept for it. Wine starts an executable whatever its manifest says; Windows
// refuses one whose manifest names another architecture.
#include <doctest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "velnor_process.h"

namespace {
std::vector<char> ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The parts of a PE file this test looks at, read without loading it.
class PeFile {
 public:
  explicit PeFile(std::vector<char> bytes) : bytes_(std::move(bytes)) {
    const auto* dos = At<IMAGE_DOS_HEADER>(0);
    REQUIRE(dos);
    REQUIRE(dos->e_magic == IMAGE_DOS_SIGNATURE);
    const auto ntOffset = static_cast<std::size_t>(dos->e_lfanew);
    const auto* signature = At<DWORD>(ntOffset);
    REQUIRE(signature);
    REQUIRE(*signature == IMAGE_NT_SIGNATURE);
    file_ = At<IMAGE_FILE_HEADER>(ntOffset + sizeof(DWORD));
    REQUIRE(file_);
    optionalOffset_ = ntOffset + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
    sections_ = optionalOffset_ + file_->SizeOfOptionalHeader;
  }

  WORD Machine() const { return file_->Machine; }
  WORD OptionalMagic() const { return *At<WORD>(optionalOffset_); }
  // The optional header of this build's own width (IMAGE_NT_HEADERS is per architecture).
  const IMAGE_OPTIONAL_HEADER* Optional() const { return At<IMAGE_OPTIONAL_HEADER>(optionalOffset_); }

  // The DLL names of the import directory, lower case.
  std::set<std::string> ImportedDlls() const {
    std::set<std::string> names;
    const IMAGE_DATA_DIRECTORY& directory = Optional()->DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto offset = FileOffset(directory.VirtualAddress);
    REQUIRE(offset);
    for (std::size_t at = *offset;; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
      const auto* entry = At<IMAGE_IMPORT_DESCRIPTOR>(at);
      REQUIRE(entry);
      if (entry->Name == 0) break;
      auto name = FileOffset(entry->Name);
      REQUIRE(name);
      std::string dll(&bytes_[*name], strnlen(&bytes_[*name], bytes_.size() - *name));
      for (char& c : dll) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      names.insert(dll);
    }
    return names;
  }

 private:
  template <class T>
  const T* At(std::size_t offset) const {
    return offset + sizeof(T) <= bytes_.size() ? reinterpret_cast<const T*>(&bytes_[offset]) : nullptr;
  }
  std::optional<std::size_t> FileOffset(DWORD rva) const {
    for (WORD i = 0; i < file_->NumberOfSections; ++i) {
      const auto* section = At<IMAGE_SECTION_HEADER>(sections_ + i * sizeof(IMAGE_SECTION_HEADER));
      if (!section) return std::nullopt;
      if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->SizeOfRawData)
        return rva - section->VirtualAddress + section->PointerToRawData;
    }
    return std::nullopt;
  }

  std::vector<char> bytes_;
  const IMAGE_FILE_HEADER* file_ = nullptr;
  std::size_t optionalOffset_ = 0, sections_ = 0;
};

// Where the text occurs in the bytes, without regard to case, as single-byte
// characters or as UTF-16 ones (what LoadLibraryA and LoadLibraryW would be given).
bool Names(const std::vector<char>& bytes, const std::string& text) {
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  std::string wide;
  for (char c : text) wide += std::string{c, '\0'};
  for (const std::string& form : {text, wide})
    if (std::search(bytes.begin(), bytes.end(), form.begin(), form.end(), same) != bytes.end()) return true;
  return false;
}

std::string ManifestOf(const std::string& path) {
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  REQUIRE(module);
  std::string text;
  if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)))  // RT_MANIFEST
    if (HGLOBAL loaded = LoadResource(module, found))
      text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
  FreeLibrary(module);
  return text;
}

const std::string kProgram = TestBinaryFolder() + "velnor.exe";
}  // namespace

TEST_CASE("velnor.exe is a GUI program of this build's architecture") {
  PeFile pe(ReadWhole(kProgram));
#if defined(_WIN64)
  CHECK(pe.Machine() == IMAGE_FILE_MACHINE_AMD64);
  CHECK(pe.OptionalMagic() == IMAGE_NT_OPTIONAL_HDR64_MAGIC);
#else
  CHECK(pe.Machine() == IMAGE_FILE_MACHINE_I386);
  CHECK(pe.OptionalMagic() == IMAGE_NT_OPTIONAL_HDR32_MAGIC);
#endif
  CHECK(pe.Optional()->Subsystem == IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

TEST_CASE("velnor.exe imports system DLLs only") {
  const std::set<std::string> system{"advapi32.dll", "comctl32.dll", "gdi32.dll",    "kernel32.dll",
                                     "msvcrt.dll",   "ole32.dll",    "oleaut32.dll", "shell32.dll",
                                     "user32.dll",   "version.dll"};
  const std::set<std::string> imported = PeFile(ReadWhole(kProgram)).ImportedDlls();
  CHECK(imported.count("kernel32.dll") == 1);
  for (const std::string& dll : imported) {
    INFO(dll);
    CHECK(system.count(dll) == 1);
  }
}

TEST_CASE("velnor.exe names no networking library or call, to import or to load at run time") {
  const std::vector<char> image = ReadWhole(kProgram);
  REQUIRE(!image.empty());
  // The libraries it does load at run time are named in the image, and the search finds them.
  CHECK(Names(image, "uxtheme.dll"));
  CHECK(Names(image, "OLEPRO32.DLL"));
  const char* const networking[] = {
      // sockets, name resolution, the web and its protocols, network shares and adapters
      "ws2_32", "wsock32", "mswsock", "ws2help", "wininet", "winhttp", "urlmon", "httpapi", "dnsapi",
      "iphlpapi", "netapi32", "mpr.dll", "rasapi32", "wsnmp32", "webio",
      // the calls themselves, should a library be opened under another name
      "WSAStartup", "WSASocket", "getaddrinfo", "gethostbyname", "InternetOpen", "WinHttpOpen",
      "URLDownloadTo", "URLOpenStream", "HttpSendRequest"};
  for (const char* name : networking) {
    INFO(name);
    CHECK_FALSE(Names(image, name));
  }
}

TEST_CASE("the manifest names an architecture this build runs as, in both places") {
  const std::string manifest = ManifestOf(kProgram);
  REQUIRE(manifest.find("<assembly") != std::string::npos);
#if defined(_WIN64)
  const std::string own = "processorArchitecture=\"amd64\"";
#else
  const std::string own = "processorArchitecture=\"x86\"";
#endif
  const std::string any = "processorArchitecture=\"*\"";
  int named = 0;
  for (std::size_t at = manifest.find("processorArchitecture="); at != std::string::npos;
       at = manifest.find("processorArchitecture=", at + 1)) {
    ++named;
    const std::string value = manifest.substr(at, manifest.find('"', at + 23) + 1 - at);
    INFO(value);
    CHECK((value == own || value == any));
  }
  CHECK(named == 2);  // the program's own identity and the common controls it asks for
}
