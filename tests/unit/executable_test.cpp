// The built velnor.exe beside this test, read back as a file, for what Windows
// enforces and Wine lets pass: it is a GUI program of the same architecture as the
// test (so each build's suite checks its own build), it imports system DLLs only and
// names no networking library anywhere in its image (so it can neither import one
// nor load one at run time by name); it can be loaded anywhere (ASLR, relocations)
// and never runs its data (DEP, no section both writable and executable); it holds
// no time of its building; its manifest is well-formed, names an architecture
// Windows accepts for it, and declares what the program needs; one version is
// written everywhere; and its icon holds the sizes the shell shows.
#include <windows.h>

// The system headers below build on windows.h.
#include <doctest.h>
#include <msxml2.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "program_resources.h"
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

  WORD Characteristics() const { return file_->Characteristics; }
  DWORD TimeDateStamp() const { return file_->TimeDateStamp; }
  // The root of the resource tree, which has a time field of its own.
  const IMAGE_RESOURCE_DIRECTORY* ResourceRoot() const {
    auto offset = FileOffset(Directory(IMAGE_DIRECTORY_ENTRY_RESOURCE).VirtualAddress);
    return offset ? At<IMAGE_RESOURCE_DIRECTORY>(*offset) : nullptr;
  }
  // DllCharacteristics sits at the same place in both widths of the optional header.
  WORD DllCharacteristics() const { return Optional()->DllCharacteristics; }
  IMAGE_DATA_DIRECTORY Directory(int index) const { return Optional()->DataDirectory[index]; }
  std::vector<IMAGE_SECTION_HEADER> Sections() const {
    std::vector<IMAGE_SECTION_HEADER> sections;
    for (WORD i = 0; i < file_->NumberOfSections; ++i) {
      const auto* section = At<IMAGE_SECTION_HEADER>(sections_ + i * sizeof(IMAGE_SECTION_HEADER));
      REQUIRE(section);
      sections.push_back(*section);
    }
    return sections;
  }

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

// The program's resource as stored: the built velnor.exe beside this test, loaded as data.
std::string ResourceOf(LPCSTR type, LPCSTR name) {
  const ProgramResources resources;
  REQUIRE(resources.Module());
  return resources.Bytes(name, type);
}

std::string ManifestOf() { return ResourceOf(MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1)); }  // RT_MANIFEST

// What the system's XML parser says of the bytes: empty when they are well-formed,
// else its reason and line.
std::string XmlParseError(const std::string& bytes) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::string error = "no XML parser";
  CLSID parserClass{};
  IXMLDOMDocument* document = nullptr;
  if (SUCCEEDED(CLSIDFromProgID(L"Msxml2.DOMDocument.3.0", &parserClass)) &&
      SUCCEEDED(CoCreateInstance(parserClass, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                 reinterpret_cast<void**>(&document)))) {
    // Handed over as bytes, so the parser reads the encoding the declaration names.
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    std::memcpy(data, bytes.data(), bytes.size());
    SafeArrayUnaccessData(array);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_ARRAY | VT_UI1;
    source.parray = array;
    document->put_async(VARIANT_FALSE);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    document->load(source, &loaded);
    error.clear();
    if (loaded != VARIANT_TRUE) {
      error = "not well-formed";
      IXMLDOMParseError* parseError = nullptr;
      if (SUCCEEDED(document->get_parseError(&parseError)) && parseError) {
        BSTR reason = nullptr;
        long line = 0;
        parseError->get_reason(&reason);
        parseError->get_line(&line);
        char text[512] = {};
        if (reason) WideCharToMultiByte(CP_UTF8, 0, reason, -1, text, sizeof text - 1, nullptr, nullptr);
        error += ": " + std::string(text) + " (line " + std::to_string(line) + ")";
        SysFreeString(reason);
        parseError->Release();
      }
    }
    VariantClear(&source);
    document->Release();
  }
  CoUninitialize();
  return error;
}

// The value of the attribute in the first element that starts with the given text.
std::string AttributeOf(const std::string& xml, const std::string& elementStart, const std::string& name) {
  const std::size_t element = xml.find(elementStart);
  if (element == std::string::npos) return {};
  const std::size_t end = xml.find('>', element);
  const std::size_t at = xml.find(" " + name + "=\"", element);
  if (at == std::string::npos || at > end) return {};
  const std::size_t value = at + name.size() + 3;
  return xml.substr(value, xml.find('"', value) - value);
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
  const std::string manifest = ManifestOf();
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

TEST_CASE("the manifest is well-formed and asks for what the program needs") {
  const std::string manifest = ManifestOf();
  REQUIRE(!manifest.empty());
  // Windows refuses to start a program whose manifest does not parse.
  CHECK(XmlParseError(manifest) == "");
  CHECK(AttributeOf(manifest, "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\"",
                    "version") == "6.0.0.0");
  CHECK(AttributeOf(manifest, "<requestedExecutionLevel", "level") == "asInvoker");
  // Without these Windows tells the program it runs on 6.2, whatever it is.
  const struct {
    const char* windows;
    const char* id;
  } supported[] = {{"7", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"},
                   {"8", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"},
                   {"8.1", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"},
                   {"10 and 11", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}};
  for (const auto& os : supported) {
    INFO("Windows " << std::string(os.windows));
    CHECK(manifest.find("<supportedOS Id=\"" + std::string(os.id) + "\"/>") != std::string::npos);
  }
}

TEST_CASE("velnor.exe loads at any address and never runs its data") {
  PeFile pe(ReadWhole(kProgram));
  const WORD dll = pe.DllCharacteristics();
  CHECK((dll & IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE) != 0);
  CHECK((dll & IMAGE_DLLCHARACTERISTICS_NX_COMPAT) != 0);
#if defined(_WIN64)
  CHECK((dll & IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA) != 0);
#endif
  // ASLR moves only an image that can be relocated.
  CHECK((pe.Characteristics() & IMAGE_FILE_RELOCS_STRIPPED) == 0);
  CHECK(pe.Directory(IMAGE_DIRECTORY_ENTRY_BASERELOC).Size > 0);
  for (const IMAGE_SECTION_HEADER& section : pe.Sections()) {
    const std::string name(reinterpret_cast<const char*>(section.Name),
                           strnlen(reinterpret_cast<const char*>(section.Name), 8));
    INFO(name);
    CHECK_FALSE(((section.Characteristics & IMAGE_SCN_MEM_WRITE) &&
                 (section.Characteristics & IMAGE_SCN_MEM_EXECUTE)));
  }
}

// Wine maps a program's file into memory only when its sections lie in the file
// as they will in memory; otherwise it copies the whole image into private memory.
TEST_CASE("velnor.exe's sections lie in the file as in memory") {
  PeFile pe(ReadWhole(kProgram));
  CHECK(pe.Optional()->FileAlignment == pe.Optional()->SectionAlignment);
  CHECK(pe.Optional()->SectionAlignment == 4096);
}

// A release is rebuilt from its sources to the same bytes; a time of building
// written anywhere in the image would make every build differ.
TEST_CASE("velnor.exe holds no time of its building") {
  PeFile pe(ReadWhole(kProgram));
  CHECK(pe.TimeDateStamp() == 0);
  const IMAGE_RESOURCE_DIRECTORY* resources = pe.ResourceRoot();
  REQUIRE(resources);
  CHECK(resources->TimeDateStamp == 0);
  // A debug directory (CodeView) carries a time of its own; the release is stripped.
  CHECK(pe.Directory(IMAGE_DIRECTORY_ENTRY_DEBUG).Size == 0);
}

TEST_CASE("one version: the fixed file version, the FileVersion text and the manifest's") {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(kProgram.c_str(), &ignored);
  REQUIRE(size > 0);
  std::vector<char> block(size);
  REQUIRE(GetFileVersionInfoA(kProgram.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  REQUIRE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  const std::string fixedVersion = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                                   std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                                   std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                                   std::to_string(LOWORD(fixed->dwFileVersionLS));
  WORD* translation = nullptr;
  REQUIRE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                         &length));
  REQUIRE(length >= 4);
  char path[64];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
  char* text = nullptr;
  REQUIRE(VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&text), &length));
  CHECK(std::string(text) == fixedVersion);
  CHECK(AttributeOf(ManifestOf(), "<assemblyIdentity type=\"win32\" name=\"Velnor\"", "version") ==
        fixedVersion);
}

TEST_CASE("the program icon holds the 16 and 32 pixel images the shell shows") {
  const std::string group = ResourceOf(MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(1));  // RT_GROUP_ICON
  REQUIRE(group.size() >= 6);
  const auto count = static_cast<std::size_t>(static_cast<unsigned char>(group[4]) |
                                              static_cast<unsigned char>(group[5]) << 8);
  REQUIRE(group.size() >= 6 + count * 14);  // GRPICONDIR, then 14-byte entries
  std::set<int> sizes;
  for (std::size_t i = 0; i < count; ++i) {
    const auto width = static_cast<unsigned char>(group[6 + i * 14]);
    const auto height = static_cast<unsigned char>(group[6 + i * 14 + 1]);
    if (width == height) sizes.insert(width == 0 ? 256 : width);
  }
  CHECK(sizes.count(16) == 1);
  CHECK(sizes.count(32) == 1);
}
