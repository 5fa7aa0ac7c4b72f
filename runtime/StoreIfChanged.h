#pragma once

#include <utility>

// The first step of every setter: stores `value` only when it differs from
// `field`, and tells whether it did, so that the setter's side effects (a
// repaint request, a notification) follow a real change only.
template <class T, class V>
[[nodiscard]] bool StoreIfChanged(T& field, V&& value) {
  if (field == value) {
    return false;
  }
  field = std::forward<V>(value);
  return true;
}
