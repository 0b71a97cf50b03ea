// Runs a function when the scope ends, also when a failure passes through: the program's way of
// restoring state (timers, repainting, status texts) without catching failures.
#pragma once

#include <utility>

namespace tarvex {

template <typename Function>
class ScopeExit {
 public:
  explicit ScopeExit(Function function) : function_(std::move(function)) {}
  ~ScopeExit() { function_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Function function_;
};

}  // namespace tarvex
