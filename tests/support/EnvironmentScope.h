#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets an environment variable for one scope, or removes it (no value).
class EnvironmentScope {
public:
  EnvironmentScope(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* saved = std::getenv(name)) {
      saved_ = saved;
    }
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvironmentScope() {
    if (saved_) {
      setenv(name_, saved_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
  const char* name_;
  std::optional<std::string> saved_;
};
