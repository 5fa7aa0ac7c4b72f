#pragma once

#include <gtest/gtest.h>

#include <exception>
#include <string>

// Success when `action` throws an E whose text is `message`; otherwise a
// failure that says what happened instead.
template <typename E, typename Action>
testing::AssertionResult ThrowsWithMessage(Action&& action, const std::string& message) {
  try {
    action();
  } catch (const E& error) {
    if (error.what() == message) {
      return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "threw \"" << error.what() << "\" instead of \"" << message << "\"";
  } catch (const std::exception& error) {
    return testing::AssertionFailure() << "threw another type, \"" << error.what() << "\", instead of \"" << message
                                       << "\"";
  }
  return testing::AssertionFailure() << "threw nothing instead of \"" << message << "\"";
}
