// Runs a function when the scope ends, also when a failure passes through: the program's way of
// restoring state (timers, repainting, status texts) without catching failures. The function runs
// while a failure may be unwinding, where a second one would end the program, so it must be
// declared not to fail: write the lambda `[&]() noexcept { ... }`.
#pragma once

#include <type_traits>
#include <utility>

namespace tarvex {

template <typename Function>
class ScopeExit {
  static_assert(std::is_nothrow_invocable_v<Function&>,
                "a scope's exit runs during unwinding: declare the function noexcept");

 public:
  explicit ScopeExit(Function function) : function_(std::move(function)) {}
  ~ScopeExit() { function_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Function function_;
};

}  // namespace tarvex
