#include "unix_command.h"

#include <cstdlib>
#include <stdexcept>

#include "wait.h"

namespace {
// Wine's own path conversions, exported by its kernel32; both results are freed
// with HeapFree on the process heap.
using UnixFromDos = char*(CDECL*)(const WCHAR*);
using DosFromUnix = WCHAR*(CDECL*)(const char*);

template <class F>
F WineExport(const char* name) {
  auto function =
      reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
  if (!function) throw std::runtime_error(std::string("not running under Wine: no ") + name);
  return function;
}

std::string DosPath(const std::string& unixPath) {
  WCHAR* wide = WineExport<DosFromUnix>("wine_get_dos_file_name")(unixPath.c_str());
  if (!wide) throw std::runtime_error("no Windows path for " + unixPath);
  char path[MAX_PATH] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, -1, path, MAX_PATH, nullptr, nullptr);
  HeapFree(GetProcessHeap(), 0, wide);
  return path;
}

// One argument of a Windows command line, as CommandLineToArgvW reads it back.
std::string CommandLineQuoted(const std::string& argument) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

std::string FreshStatusFile() {
  static int counter = 0;
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "velnor-unix-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++counter) + ".status";
}

std::string ReadSmallFile(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char buffer[64] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}
}  // namespace

std::string UnixPath(const std::string& windowsPath) {
  std::wstring wide(MAX_PATH, L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide.data(), MAX_PATH));
  char* path = WineExport<UnixFromDos>("wine_get_unix_file_name")(wide.c_str());
  if (!path) throw std::runtime_error("no Linux path for " + windowsPath);
  std::string result(path);
  HeapFree(GetProcessHeap(), 0, path);
  return result;
}

std::string ShellQuoted(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

int RunUnixCommand(const std::string& shellCommand, DWORD timeoutMs) {
  const std::string status = FreshStatusFile();
  const std::string unixStatus = ShellQuoted(UnixPath(status));
  // Written under another name and renamed, so a poll never sees half a number.
  const std::string script = "( " + shellCommand + " ); echo $? > " + unixStatus + ".part && mv " +
                             unixStatus + ".part " + unixStatus;
  const std::string shell = DosPath("/bin/sh");
  std::string commandLine = "sh -c " + CommandLineQuoted(script);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(shell.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &info))
    return -1;
  // No handles to close: for a Linux program Wine leaves stray values in them, a
  // pointer or a small number, and closing one closes whatever handle of this
  // process has that value (0xd once closed standard output, 0xc, and the test's
  // report was lost).
  std::string text;
  PumpUntil([&] { return !(text = ReadSmallFile(status)).empty(); }, timeoutMs);
  DeleteFileA(status.c_str());
  return text.empty() ? -1 : std::atoi(text.c_str());
}
