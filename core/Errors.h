#pragma once
// The program's exception types. Each carries the program's own (untranslated or translated) message;
// readers raise them and the operation that reads a whole file catches them.
#include <stdexcept>
#include <string>

class EPitchbookError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// "'%s' is not a valid integer value", "'%s' is not a valid floating point value"
class EConvertError : public EPitchbookError {
public:
  using EPitchbookError::EPitchbookError;
};

// "Range check error"
class ERangeError : public EPitchbookError {
public:
  ERangeError() : EPitchbookError("Range check error") {}
  using EPitchbookError::EPitchbookError;
};

// Files and folders that cannot be read, written or created.
class EInOutError : public EPitchbookError {
public:
  using EPitchbookError::EPitchbookError;
};
