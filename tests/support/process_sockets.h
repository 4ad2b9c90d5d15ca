#pragma once
// The sockets of a Windows program's Linux process, seen from Linux. Wine runs each
// Windows process as one Linux process whose command line is the Windows one, so the
// program is found by its file's name among the processes of this test's Wine prefix
// (each runs with WINEPREFIX naming it). Each of its open files that is a socket is
// looked up in the kernel's tables: tcp, udp and raw ones (either IP version) are
// network sockets; unix ones are local, among them Wine's own connection to its server.
#include <string>
#include <vector>

struct ProcessSockets {
  std::vector<int> pids;             // the Linux processes found
  std::vector<std::string> network;  // "tcp6 inode 1234", one per network socket
  std::vector<std::string> other;    // sockets in neither the network nor the unix tables
  int local = 0;                     // unix sockets
  std::string failure;               // why nothing could be looked at, or empty
};

// The sockets of the processes of this Wine prefix whose command line names the file
// (a name such as "velnor.exe", compared without regard to case).
ProcessSockets SocketsOfWineProgram(const std::string& fileName);
