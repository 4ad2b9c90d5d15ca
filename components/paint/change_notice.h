#pragma once
// The setter of a settings object: stores a different value and tells the owner.
#include <utility>

#include "framework/events.h"

template <class T, class U>
void SetAndNotify(T& field, U&& value, const Event<>& onChange) {
  if (field == value) return;
  field = std::forward<U>(value);
  if (onChange) onChange();
}
