#pragma once
// A system thread owned by an object. It is always created suspended, so a derived
// object is complete before Execute can run; Start lets it run Execute once.
// With FreeOnTerminate the object deletes itself on its own thread when Execute ends
// and nobody may touch it after Start.
#include <windows.h>

#include <exception>

class Thread {
 public:
  // stackReserve: the address space kept for the thread's stack, 0 for the
  // program's default. Throws Error when the system refuses the thread.
  explicit Thread(SIZE_T stackReserve = 0);
  virtual ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  void Start();
  void WaitFor();  // only for threads that are not FreeOnTerminate

  bool FreeOnTerminate = false;
  // The error that ended Execute early, if any; it is never shown.
  std::exception_ptr FatalException;
  DWORD ThreadId() const { return id_; }

 protected:
  virtual void Execute() = 0;

 private:
  static DWORD WINAPI Run(void* self);

  HANDLE handle_ = nullptr;
  DWORD id_ = 0;
  bool started_ = false;
  bool cancelled_ = false;
};
