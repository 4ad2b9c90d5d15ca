#include "process_sockets.h"

#include <sstream>

#include "unix_command.h"

namespace {
// For each process of the prefix ($prefix) whose program's file name, from the first
// word of its command line, matches the pattern ($file, in lower case):
// "pid N", then "socket KIND INODE" for each socket, KIND being the table listing it.
constexpr char kScript[] = R"(
for environ in /proc/[0-9]*/environ; do
  grep -qxzF -e "WINEPREFIX=$prefix" "$environ" 2>/dev/null || continue
  pid=${environ#/proc/}; pid=${pid%/environ}
  program=$(tr '\0' '\n' < /proc/$pid/cmdline 2>/dev/null | head -n 1 | tr -d '"' | sed 's/[[:space:]]*$//' |
            tr 'A-Z' 'a-z')
  case ${program##*[\\/]} in $file) ;; *) continue ;; esac
  echo "pid $pid"
  for fd in /proc/$pid/fd/*; do
    link=$(readlink "$fd" 2>/dev/null) || continue
    case $link in socket:\[*\]) ;; *) continue ;; esac
    inode=${link#socket:[}; inode=${inode%]}
    kind=other
    for table in tcp tcp6 udp udp6 raw raw6 udplite udplite6; do
      [ -r /proc/net/$table ] || continue
      if awk -v i="$inode" 'NR > 1 && $10 == i { found = 1 } END { exit !found }' /proc/net/$table; then
        kind=$table
      fi
    done
    if [ $kind = other ] && awk -v i="$inode" 'NR > 1 && $7 == i { found = 1 } END { exit !found }' /proc/net/unix; then
      kind=unix
    fi
    echo "socket $kind $inode"
  done
done
)";

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return text;
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read) text.append(buffer, read);
  CloseHandle(file);
  return text;
}
}  // namespace

ProcessSockets SocketsOfWineProcesses(const std::string& fileName) {
  ProcessSockets found;
  char prefix[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  if (length == 0 || length >= sizeof prefix) {
    found.failure = "no WINEPREFIX in the environment";
    return found;
  }
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string report =
      std::string(folder) + "velnor-sockets-" + std::to_string(GetCurrentProcessId()) + ".txt";
  DeleteFileA(report.c_str());
  const std::string command = "prefix=" + ShellQuoted(prefix) + "; file=" + ShellQuoted(Lower(fileName)) +
                              "; ( " + kScript + " ) > " + ShellQuoted(UnixPath(report));
  if (RunUnixCommand(command, 30000) != 0) {
    found.failure = "the look at /proc did not finish";
    return found;
  }
  std::istringstream lines(ReadWholeFile(report));
  DeleteFileA(report.c_str());
  std::string word, kind, inode;
  while (lines >> word) {
    if (word == "pid") {
      int pid = 0;
      lines >> pid;
      found.pids.push_back(pid);
    } else if (word == "socket" && lines >> kind >> inode) {
      if (kind == "unix")
        ++found.local;
      else if (kind == "other")
        found.other.push_back("socket inode " + inode);
      else
        found.network.push_back(kind + " inode " + inode);
    }
  }
  return found;
}
