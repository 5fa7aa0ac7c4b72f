#pragma once

#include <utility>

// Puts a variable back to the value it had when the scope began, however
// the scope ends, so that an exception cannot leave a temporary state behind.
template <class T>
class ScopedRestore {
public:
  // Keeps the value; the scope may change the variable freely.
  explicit ScopedRestore(T& variable) : variable_(variable), saved_(variable) {}
  // Keeps the value and sets `value` for the scope.
  ScopedRestore(T& variable, T value) : variable_(variable), saved_(std::exchange(variable, std::move(value))) {}
  ~ScopedRestore() { variable_ = std::move(saved_); }
  ScopedRestore(const ScopedRestore&) = delete;
  ScopedRestore& operator=(const ScopedRestore&) = delete;

private:
  T& variable_;
  T saved_;
};
