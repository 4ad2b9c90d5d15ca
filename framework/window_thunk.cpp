#include "framework/window_thunk.h"

#include <cstdint>
#include <cstring>

#include "framework/error.h"

static_assert(sizeof(void*) == 4, "the thunk's code is 32-bit x86");

namespace {
// pop eax             return address
// push context        the extra first argument
// push eax            return address back on top
// mov eax, target
// jmp eax             the target is stdcall with five arguments, so its ret 20 also
//                     takes the context off the stack
#pragma pack(push, 1)
struct Code {
  std::uint8_t popEax = 0x58;
  std::uint8_t push = 0x68;
  std::uint32_t context;
  std::uint8_t pushEax = 0x50;
  std::uint8_t movEax = 0xB8;
  std::uint32_t target;
  std::uint8_t jmpEax[2] = {0xFF, 0xE0};
};
#pragma pack(pop)
static_assert(sizeof(Code) == 14);
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
