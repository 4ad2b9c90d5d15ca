#include "framework/window_thunk.h"

#include <cstdint>
#include <cstring>

#include "framework/error.h"

namespace {
#pragma pack(push, 1)
#if defined(__x86_64__)
// mov rcx, context     the first argument, where the window handle was
// mov rax, target
// jmp rax              rax is volatile and carries no argument in this convention
struct Code {
  std::uint8_t movRcx[2] = {0x48, 0xB9};
  std::uint64_t context;
  std::uint8_t movRax[2] = {0x48, 0xB8};
  std::uint64_t target;
  std::uint8_t jmpRax[2] = {0xFF, 0xE0};
};
static_assert(sizeof(Code) == 22);
#elif defined(__i386__)
// mov dword [esp+4], context   the first argument, where the window handle was
// mov eax, target
// jmp eax                      the target is stdcall with four arguments: its ret 16 fits
struct Code {
  std::uint8_t movArgument[4] = {0xC7, 0x44, 0x24, 0x04};
  std::uint32_t context;
  std::uint8_t movEax = 0xB8;
  std::uint32_t target;
  std::uint8_t jmpEax[2] = {0xFF, 0xE0};
};
static_assert(sizeof(Code) == 15);
#else
#error "a window thunk needs its code for this processor"
#endif
#pragma pack(pop)
}  // namespace

WindowThunk::WindowThunk(Target target, void* context) {
  // A page of its own, written while writable and then made executable only: the
  // code is never writable and executable at the same time.
  code_ = VirtualAlloc(nullptr, sizeof(Code), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!code_) throw Error("cannot allocate a window procedure");
  Code code;
  code.context = reinterpret_cast<std::uintptr_t>(context);
  code.target = reinterpret_cast<std::uintptr_t>(target);
  std::memcpy(code_, &code, sizeof code);
  DWORD old = 0;
  if (!VirtualProtect(code_, sizeof(Code), PAGE_EXECUTE_READ, &old)) {
    VirtualFree(code_, 0, MEM_RELEASE);
    throw Error("cannot allocate a window procedure");
  }
  FlushInstructionCache(GetCurrentProcess(), code_, sizeof(Code));
}

WindowThunk::~WindowThunk() { VirtualFree(code_, 0, MEM_RELEASE); }
