#include "platform/worker.h"

#include <system_error>
#include <utility>

namespace nrv {

Worker& Worker::operator=(Worker&& other) noexcept {
  if (this != &other) {
    StopAndJoin(*this);
    thread = std::move(other.thread);
    stop = std::move(other.stop);
  }
  return *this;
}

Worker::~Worker() { StopAndJoin(*this); }

StopFlag::~StopFlag() { CloseNativeEvent(wake); }

bool StartWorker(Worker& worker, std::function<void(const StopFlag&)> body, bool withWakeEvent) {
  StopAndJoin(worker);
  worker.stop = std::make_unique<StopFlag>();
  if (withWakeEvent) {
    worker.stop->wake = CreateNativeEvent();
    if (!worker.stop->wake) {
      worker.stop.reset();
      return false;
    }
  }
  const StopFlag* flag = worker.stop.get();
  // std::thread reports a failed start by exception only; it is turned into a result here.
  try {
    worker.thread = std::thread([flag, body = std::move(body)] { body(*flag); });
  } catch (const std::system_error&) {
    worker.stop.reset();
    return false;
  }
  return true;
}

void RequestStop(Worker& worker) {
  if (!worker.stop) return;
  worker.stop->requested = true;
  if (worker.stop->wake) SignalNativeEvent(worker.stop->wake);
}

void JoinWorker(Worker& worker) {
  if (worker.thread.joinable()) worker.thread.join();
}

void StopAndJoin(Worker& worker) {
  RequestStop(worker);
  JoinWorker(worker);
  worker.stop.reset();
}

bool IsStarted(const Worker& worker) { return worker.thread.joinable(); }

StandingWorker::~StandingWorker() { StopStanding(*this); }

namespace {

void RunStandingJobs(StandingWorker& standing) {
  std::unique_lock<std::mutex> hold(standing.lock);
  for (;;) {
    standing.wake.wait(hold, [&] { return standing.quit || standing.job; });
    if (!standing.job) return;
    std::function<void()> job = std::move(standing.job);
    standing.job = nullptr;
    hold.unlock();
    job();
    // What the job holds goes before the thread counts as free again.
    job = nullptr;
    hold.lock();
    standing.busy = false;
  }
}

}  // namespace

bool GiveJob(StandingWorker& standing, std::function<void()> job) {
  {
    std::lock_guard<std::mutex> hold(standing.lock);
    if (standing.busy || standing.quit) return false;
  }
  if (!IsStarted(standing.worker) &&
      !StartWorker(standing.worker, [&standing](const StopFlag&) { RunStandingJobs(standing); }))
    return false;
  {
    std::lock_guard<std::mutex> hold(standing.lock);
    standing.job = std::move(job);
    standing.busy = true;
  }
  standing.wake.notify_one();
  return true;
}

void StopStanding(StandingWorker& standing) {
  {
    std::lock_guard<std::mutex> hold(standing.lock);
    standing.quit = true;
  }
  standing.wake.notify_one();
  StopAndJoin(standing.worker);
}

namespace {

void JoinFinished(WorkerSet& set) {
  auto worker = set.workers.begin();
  auto done = set.done.begin();
  while (worker != set.workers.end()) {
    if (done->get()->load()) {
      JoinWorker(*worker);
      worker = set.workers.erase(worker);
      done = set.done.erase(done);
    } else {
      ++worker, ++done;
    }
  }
}

}  // namespace

bool StartInSet(WorkerSet& set, std::function<void(const StopFlag&)> body) {
  JoinFinished(set);
  auto done = std::make_shared<std::atomic<bool>>(false);
  set.workers.emplace_back();
  const bool started = StartWorker(
      set.workers.back(), [done, body = std::move(body)](const StopFlag& stop) {
        body(stop);
        done->store(true);
      });
  if (!started) {
    set.workers.pop_back();
    return false;
  }
  set.done.push_back(std::move(done));
  return true;
}

void StopAndJoinAll(WorkerSet& set) {
  for (Worker& worker : set.workers) RequestStop(worker);
  for (Worker& worker : set.workers) JoinWorker(worker);
  set.workers.clear();
  set.done.clear();
}

size_t RunningCount(WorkerSet& set) {
  JoinFinished(set);
  return set.workers.size();
}

}  // namespace nrv
