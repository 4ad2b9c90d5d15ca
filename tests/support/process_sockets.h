#pragma once
// The sockets of the Linux processes behind a Wine prefix, seen from Linux. Wine runs
// each Windows process as one Linux process whose command line is the Windows one, so
// a program is found by its file's name among the processes of this test's prefix
// (each runs with WINEPREFIX naming it). Each of their open files that is a socket is
// looked up in the kernel's tables: tcp, udp and raw ones (either IP version) are
// network sockets; unix ones are local, among them each process's connection to the
// prefix's server. The server makes the sockets a Windows program asks for and holds
// them; the program's process holds one only while it uses it, so a look for network
// sockets looks at the server ("wineserver*") as well.
#include <string>
#include <vector>

struct ProcessSockets {
  std::vector<int> pids;             // the Linux processes found
  std::vector<std::string> network;  // "tcp6 inode 1234", one per network socket
  std::vector<std::string> other;    // sockets in neither the network nor the unix tables
  int local = 0;                     // unix sockets
  std::string failure;               // why nothing could be looked at, or empty
};

// The sockets of the processes of this Wine prefix whose program's file name matches
// the shell pattern ("velnor.exe", "wineserver*"), compared in lower case.
ProcessSockets SocketsOfWineProcesses(const std::string& fileName);
