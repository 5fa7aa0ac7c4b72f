#pragma once

#include <string>

// The whole number a command-line argument gives: an optional minus sign
// and decimal digits, nothing before or after them, from `low` to `high`.
// Anything else raises std::invalid_argument naming `option` and saying
// what it takes, so a script learns which argument was wrong and why.
long long WholeNumberArgument(const std::string& text, long long low, long long high, const std::string& option);
