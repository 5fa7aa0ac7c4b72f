#pragma once

#include <utility>

// Calls an optional event, a std::function member that may be empty, with
// the arguments; nothing happens when no handler is set.
template <class TEvent, class... TArgs>
void FireEvent(const TEvent& event, TArgs&&... args) {
  if (event) {
    event(std::forward<TArgs>(args)...);
  }
}
