#pragma once
// Runs Linux programs from a Windows test under Wine, for what must come from
// outside Wine: X11 input (xdotool) and pictures of the X display (ImageMagick).
// Wine starts a Linux executable on CreateProcess but hands back no process to wait
// on, so the command reports its exit status through a file that the test polls.
#include <windows.h>

#include <string>

// Runs the command with /bin/sh and waits for it; its exit status, or -1 when it
// could not be started or did not finish within the timeout.
int RunUnixCommand(const std::string& shellCommand, DWORD timeoutMs = 15000);

// The Linux path of a Windows path (the file need not exist).
std::string UnixPath(const std::string& windowsPath);
// The argument quoted for a shell command: 'it'\''s'.
std::string ShellQuoted(const std::string& argument);
