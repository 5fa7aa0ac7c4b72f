#pragma once

#include <stdexcept>
#include <string>

// Every error the system raises carries its message text verbatim; the
// application's error report shows exactly that text.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }

  // What a report of the error may add below its message (the file, the
  // line): the message itself stays as it is.
  std::string Details;
};

// A text that is not a valid number, or a format pattern that is too long.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// An invalid axis setting.
class AxisException : public Exception {
public:
  using Exception::Exception;
};

// A series index out of range and similar chart errors.
class ChartException : public Exception {
public:
  using Exception::Exception;
};

// A file that cannot be opened or read to its end; the message names the
// file and the reason.
class FileException : public Exception {
public:
  using Exception::Exception;
};

// A broken internal invariant with a fixed text.
class EAssertionFailed : public Exception {
public:
  using Exception::Exception;
};
