#pragma once
// A named mutex of the system, made or opened by name: what the system said to that
// (nothing for a new one, ERROR_ALREADY_EXISTS when it existed already), and, when
// asked for and it was new, owned until it goes (released, then closed).
#include <windows.h>

#include <string>

class NamedMutex {
 public:
  NamedMutex(const std::string& name, bool takeOwnership);
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // GetLastError() right after the call: 0 for a new mutex.
  DWORD CreateError() const { return error_; }
  bool Existed() const { return error_ == ERROR_ALREADY_EXISTS; }

 private:
  static DWORD Create(const std::string& name, bool takeOwnership, HANDLE& handle);

  HANDLE handle_ = nullptr;
  DWORD error_;
  bool owned_;
};
