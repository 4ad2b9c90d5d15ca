#pragma once
// The Unix side of a Wine process, read from /proc through Wine's Z: drive.
// Wine's GetProcessTimes gives no usable times for another process and its
// NtQuerySystemInformation has no context switch counts, so the idle figures come
// from the kernel: per-thread schedstat (nanoseconds on a CPU) and the
// voluntary/involuntary context switch counts of every thread of the process.
#include <string>

// The Unix pid of the process whose command line carries token; -1 when none does.
int FindUnixPid(const std::string& token);

struct UnixCost {
  double cpuMs = 0;
  long long voluntarySwitches = 0;    // the thread blocked and was woken again
  long long involuntarySwitches = 0;  // the thread was preempted
  int threads = 0;
};

// Sums over the process's threads as they are now.
UnixCost ReadUnixCost(int pid);

// Resident anonymous memory plus swap, in KB: what newer Wine reports as a process's
// private bytes (Wine 8 reports 0 for another process).
double ReadUnixPrivateKb(int pid);
