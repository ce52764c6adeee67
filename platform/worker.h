#pragma once
// Every worker thread of the program: joinable, with a stop flag, never detached. Destroying a
// Worker asks it to stop and waits for it, so no thread can outlive what it works on.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/handles.h"

namespace nrv {

struct StopFlag {
  std::atomic<bool> requested{false};
  // Signalled with the flag, for a worker that blocks on a wait of the platform's; closed only
  // after the thread has been joined.
  NativeEvent wake = nullptr;

  StopFlag() = default;
  StopFlag(const StopFlag&) = delete;
  StopFlag& operator=(const StopFlag&) = delete;
  ~StopFlag();
};

struct Worker {
  std::thread thread;
  std::unique_ptr<StopFlag> stop;

  Worker() = default;
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;
  Worker(Worker&& other) noexcept = default;
  Worker& operator=(Worker&& other) noexcept;
  ~Worker();
};

// Starts body on a new thread, with a wake event when asked for. False when the thread or the
// event could not be made.
bool StartWorker(Worker& worker, std::function<void(const StopFlag&)> body, bool withWakeEvent = false);
void RequestStop(Worker& worker);
// Waits for the thread; a worker never started returns at once.
void JoinWorker(Worker& worker);
void StopAndJoin(Worker& worker);
bool IsStarted(const Worker& worker);

// A thread kept for the run that takes one job at a time. Wine charges every new thread about
// 1 MiB of private memory until it ends; work that comes again and again (a panel's reads) pays
// it once instead of on top of each job's own peak.
struct StandingWorker {
  Worker worker;
  std::mutex lock;
  std::condition_variable wake;
  std::function<void()> job;  // given, not yet taken by the thread
  bool busy = false;          // a job is given and has not ended
  bool quit = false;

  StandingWorker() = default;
  StandingWorker(const StandingWorker&) = delete;
  StandingWorker& operator=(const StandingWorker&) = delete;
  ~StandingWorker();
};

// Hands job to the thread, started on first use. False while it is still on an earlier job, or
// when it could not be started: the caller runs job some other way.
bool GiveJob(StandingWorker& standing, std::function<void()> job);
// Lets the thread end its job, then ends and joins it.
void StopStanding(StandingWorker& standing);

// Workers that run side by side (copies, moves and deletes); the finished ones are joined
// whenever a new one starts, the rest when the set goes.
struct WorkerSet {
  std::list<Worker> workers;
  std::list<std::shared_ptr<std::atomic<bool>>> done;
};
bool StartInSet(WorkerSet& set, std::function<void(const StopFlag&)> body);
void StopAndJoinAll(WorkerSet& set);
size_t RunningCount(WorkerSet& set);

// Manual-reset events of the platform (none on the host, where nothing waits on them).
NativeEvent CreateNativeEvent();
void SignalNativeEvent(NativeEvent event);
void CloseNativeEvent(NativeEvent event);

}  // namespace nrv
