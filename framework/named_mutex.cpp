#include "framework/named_mutex.h"

NamedMutex::NamedMutex(const std::string& name, bool takeOwnership)
    : error_(Create(name, takeOwnership, handle_)),
      // An existing mutex is opened, never taken: the process that made it owns it.
      owned_(handle_ && takeOwnership && error_ == 0) {}

DWORD NamedMutex::Create(const std::string& name, bool takeOwnership, HANDLE& handle) {
  // A new mutex need not clear an earlier call's error.
  SetLastError(0);
  handle = CreateMutexA(nullptr, takeOwnership, name.c_str());
  return GetLastError();
}

NamedMutex::~NamedMutex() {
  if (!handle_) return;
  if (owned_) ReleaseMutex(handle_);
  CloseHandle(handle_);
}
