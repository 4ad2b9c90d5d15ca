#pragma once
// An owned COM interface pointer, released when it goes; move-only.
#include <utility>

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* pointer) : pointer_(pointer) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.pointer_, nullptr));
    return *this;
  }
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* Get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For an out-parameter: whatever was held is released first.
  T** Put() {
    Reset();
    return &pointer_;
  }
  void Reset(T* pointer = nullptr) {
    if (pointer_) pointer_->Release();
    pointer_ = pointer;
  }

 private:
  T* pointer_ = nullptr;
};
