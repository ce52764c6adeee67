#pragma once
// The window's answer times while something runs, and the panel reads it waits for: another thread sends the window WM_NULL every
// 10 ms, as a user's keys and paints would wait, and records each wait in ms.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "bench/windows/bench_timing.h"
#include "core/panel_context.h"
#include "panel/panel_reader.h"

namespace nrv::bench {

struct AnswerProber {
  HWND window = nullptr;
  std::atomic<bool> stop{false};
  std::atomic<bool> ended{false};
  std::vector<double> waits;
  std::thread thread;
  void Start() {
    thread = std::thread([this] {
      while (!stop.load()) {
        DWORD_PTR result = 0;
        const auto start = Clock::now();
        ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
        waits.push_back(Milliseconds(start));
        ::Sleep(10);
      }
      ended = true;
    });
  }
  // Called on the window's thread: its messages are taken until the prober is out of its last
  // send, which would otherwise wait for the send's whole timeout.
  void Stop() {
    stop = true;
    while (!ended.load()) {
      MSG message;
      while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
      ::Sleep(1);
    }
    thread.join();
  }
};

struct ProbedRun {
  double listMs = 0;  // until read returned
  std::vector<double> waits;
  size_t count = 0;  // what read returned: the length of the list it made
};

// Runs read on the window's thread while the window is probed.
template <typename Read>
ProbedRun Probed(HWND window, Read read) {
  AnswerProber prober;
  prober.window = window;
  prober.Start();
  ::Sleep(30);
  const auto start = Clock::now();
  ProbedRun run;
  run.count = static_cast<size_t>(read());
  run.listMs = Milliseconds(start);
  prober.Stop();
  run.waits = prober.waits;
  return run;
}

// The bench's window: where reads post their end and the prober sends.
inline HWND gBenchWindow = nullptr;
inline constexpr UINT kReadEnd = WM_APP + 3;

inline void PostReadEnd(PanelContext&, int side, uint64_t generation) {
  ::PostMessageW(gBenchWindow, kReadEnd, static_cast<WPARAM>(side), static_cast<LPARAM>(generation));
}

// Takes the thread's messages until the panel's read is swapped in.
inline void PumpUntilSwapped(Panel& panel, ItemList& list) {
  MSG message;
  while (IsReading(panel) && ::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == kReadEnd)
      FinishRead(panel, list, static_cast<uint64_t>(message.lParam));
    else
      ::DispatchMessageW(&message);
  }
}

inline double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1, static_cast<size_t>(share * values.size()))];
}

inline double Max(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
}

}  // namespace nrv::bench
