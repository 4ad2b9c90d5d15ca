#include "velnor_process.h"

#include "hotkey_probe.h"
#include "wait.h"

std::string TestBinaryFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder;
}

VelnorProcess::~VelnorProcess() {
  Stop();
  Close();
}

bool VelnorProcess::Start() {
  Close();
  std::string command = "\"" + TestBinaryFolder() + "velnor.exe\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

bool VelnorProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool VelnorProcess::WaitReady(DWORD timeoutMs) {
  return PumpUntil([&] { return !Running() || IsHotkeyTaken(MOD_CONTROL | MOD_SHIFT, 'Z'); }, timeoutMs) &&
         Running();
}

DWORD VelnorProcess::WaitExit(DWORD timeoutMs) {
  if (!process_) return STILL_ACTIVE;
  PumpUntil([&] { return !Running(); }, timeoutMs);
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

void VelnorProcess::Stop() {
  if (!Running()) return;
  TerminateProcess(process_, 0xDEAD);
  WaitForSingleObject(process_, 5000);
}

void VelnorProcess::Close() {
  if (process_) CloseHandle(process_);
  process_ = nullptr;
}
