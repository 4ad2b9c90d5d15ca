#pragma once
// An event is an optional handler; the first argument of every handler is the sender.
// Bind() turns an (object, method) pair into a handler, the way window code wires them.
#include <functional>
#include <utility>

template <class... Args>
using Event = std::function<void(Args...)>;

template <class T, class R, class... Args>
auto Bind(T* object, R (T::*method)(Args...)) {
  return [object, method](Args... args) { return (object->*method)(std::forward<Args>(args)...); };
}
