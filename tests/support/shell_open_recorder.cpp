#include "shell_open_recorder.h"

#include "wait.h"

namespace {
// Wine looks the handler up in the machine's classes only; the user's are not merged in.
constexpr char kHandlerKey[] = "Software\\Classes\\http\\shell\\open\\command";
constexpr char kRecordKey[] = "Software\\Velnor Test\\Shell";
constexpr char kRecordValue[] = "Opened";

bool ReadString(HKEY root, const char* key, const char* value, std::string& text) {
  char buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueA(root, key, value, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) return false;
  text = buffer;
  return true;
}

bool WriteString(HKEY root, const char* key, const std::string& text) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  const LONG result = RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}
}  // namespace

ShellOpenRecorder::ShellOpenRecorder() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kRecordKey);
  hadCommand_ = ReadString(HKEY_LOCAL_MACHINE, kHandlerKey, nullptr, savedCommand_);
  const std::string recorder = std::string("C:\\windows\\system32\\reg.exe add \"HKCU\\") + kRecordKey +
                               "\" /v " + kRecordValue + " /d \"%1\" /f";
  ready_ = WriteString(HKEY_LOCAL_MACHINE, kHandlerKey, recorder);
}

ShellOpenRecorder::~ShellOpenRecorder() {
  if (hadCommand_)
    WriteString(HKEY_LOCAL_MACHINE, kHandlerKey, savedCommand_);
  else
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kHandlerKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kRecordKey);
}

std::string ShellOpenRecorder::Opened() const {
  std::string text;
  ReadString(HKEY_CURRENT_USER, kRecordKey, kRecordValue, text);
  return text;
}

std::string ShellOpenRecorder::WaitOpened(DWORD timeoutMs) const {
  std::string text;
  PumpUntil([&] { return !(text = Opened()).empty(); }, timeoutMs);
  return text;
}
