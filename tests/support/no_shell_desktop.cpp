#include "no_shell_desktop.h"

#include <doctest.h>

#include <thread>

NoShellDesktop::NoShellDesktop() {
  const std::string station = "VelnorNoShell" + std::to_string(GetCurrentProcessId());
  station_ = CreateWindowStationA(station.c_str(), 0, WINSTA_ALL_ACCESS, nullptr);
  if (!station_) {
    MESSAGE("CreateWindowStation failed with error " << GetLastError());
    return;
  }
  // A desktop is made on the process's current window station.
  HWINSTA own = GetProcessWindowStation();
  SetProcessWindowStation(station_);
  desktop_ = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (!desktop_) MESSAGE("CreateDesktop failed with error " << GetLastError());
  SetProcessWindowStation(own);
  path_ = station + "\\Default";
}

NoShellDesktop::~NoShellDesktop() {
  if (desktop_) CloseDesktop(desktop_);
  if (station_) CloseWindowStation(station_);
}

bool NoShellDesktop::Run(const std::function<void()>& work) const {
  if (!Made()) return false;
  bool attached = false;
  DWORD error = 0;
  HWINSTA own = GetProcessWindowStation();
  SetProcessWindowStation(station_);
  // A thread can change its desktop only while it has no windows: a fresh one.
  std::thread([&] {
    attached = SetThreadDesktop(desktop_) != FALSE;
    if (attached)
      work();
    else
      error = GetLastError();
  }).join();
  SetProcessWindowStation(own);
  if (!attached) MESSAGE("SetThreadDesktop failed with error " << error);
  return attached;
}
