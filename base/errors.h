// The program's failures. Every failure is an exception whose message the error box shows as it
// stands; EAbort is the silent one that reaches no box.
#pragma once

#include <stdexcept>
#include <string>

namespace tarvex {

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A read of a string list outside 0 .. Count - 1.
class EListError : public Exception {
 public:
  explicit EListError(int index);
};

class EAbort : public Exception {
 public:
  EAbort() : Exception("Operation aborted") {}
};

}  // namespace tarvex
