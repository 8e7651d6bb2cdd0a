#pragma once
// The exceptions of the game. Messages name class and method joined by "->"
// ("TVirtualFileSystem->LoadXML->File ..."), so the crash report says where it happened.
#include <stdexcept>
#include <string>

// An error the program cannot continue after; it travels to the crash handler.
class ETarnovaError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// An index or value outside its allowed range.
class ERangeError : public ETarnovaError {
public:
  using ETarnovaError::ETarnovaError;
};

// Bytes that cannot be read: a short read, an unknown tag, a length past the end.
class EReadError : public ETarnovaError {
public:
  using ETarnovaError::ETarnovaError;
};

// A data file that is not what it should be; the message names the file, line and element.
class EDataError : public ETarnovaError {
public:
  using ETarnovaError::ETarnovaError;
};
