#pragma once
// Waiting on a condition with a deadline, never for a fixed time.
#include <chrono>
#include <thread>

namespace nrv::test {

// Checks condition until it holds or milliseconds have passed, calling idle between checks (a
// short pause by default; a message pump on threads that own windows). True when it held.
template <typename Condition, typename Idle>
bool WaitUntil(Condition condition, unsigned long milliseconds, Idle idle) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return condition();
    idle();
  }
  return true;
}

template <typename Condition>
bool WaitUntil(Condition condition, unsigned long milliseconds) {
  return WaitUntil(condition, milliseconds, [] { std::this_thread::sleep_for(std::chrono::milliseconds(10)); });
}

}  // namespace nrv::test
