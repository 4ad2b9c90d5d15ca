#include "framework/thread.h"

#include "framework/error.h"

Thread::Thread(SIZE_T stackReserve) {
  handle_ = CreateThread(nullptr, stackReserve, &Thread::Run, this,
                         CREATE_SUSPENDED | (stackReserve ? STACK_SIZE_PARAM_IS_A_RESERVATION : 0), &id_);
  if (!handle_) throw Error("cannot create a thread");
}

Thread::~Thread() {
  if (!started_) {
    // Never started: let the thread end without running Execute on a dying object.
    cancelled_ = true;
    ResumeThread(handle_);
    WaitForSingleObject(handle_, INFINITE);
  } else if (!FreeOnTerminate) {
    WaitFor();
  }
  CloseHandle(handle_);
}

void Thread::Start() {
  if (started_) return;
  started_ = true;
  ResumeThread(handle_);
}

void Thread::WaitFor() {
  if (GetCurrentThreadId() != id_) WaitForSingleObject(handle_, INFINITE);
}

DWORD WINAPI Thread::Run(void* parameter) {
  auto* self = static_cast<Thread*>(parameter);
  if (self->cancelled_) return 0;
  try {
    self->Execute();
  } catch (...) {
    self->FatalException = std::current_exception();
  }
  if (self->FreeOnTerminate) delete self;
  return 0;
}
