#include "program_resources.h"

#include "velnor_process.h"

ProgramResources::ProgramResources()
    : module_(LoadLibraryExA((TestBinaryFolder() + "velnor.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}

ProgramResources::~ProgramResources() {
  if (module_) FreeLibrary(module_);
}

std::string ProgramResources::Bytes(const char* name, LPCSTR type) const {
  HRSRC found = FindResourceA(module_, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module_, found);
  const auto* data = static_cast<const char*>(LockResource(loaded));
  return data ? std::string(data, SizeofResource(module_, found)) : std::string{};
}
