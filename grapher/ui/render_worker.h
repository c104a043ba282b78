// One thread that draws pictures of the view away from the window's thread.
// Only the latest request matters: a newer one cancels the one running, and
// requests that were overtaken before they started are dropped.
#pragma once

#include <QImage>
#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace quillon::grapher {

class RenderWorker {
 public:
  // Draws a picture; returns early (with any image) once cancel becomes true.
  // Runs on the worker thread, so it may only read data it owns or shares as const.
  using Job = std::function<QImage(const std::atomic<bool>& cancel)>;
  // Receives a finished, uncancelled picture on the receiver's thread.
  using Done = std::function<void(QImage)>;
  // Receives, on the receiver's thread, why an uncancelled job failed (what
  // its exception said); the worker goes on with the next request.
  using Failed = std::function<void(std::string reason)>;

  // receiver must own the worker (it is destroyed, and the thread joined, first).
  explicit RenderWorker(QObject& receiver);
  ~RenderWorker();
  RenderWorker(const RenderWorker&) = delete;
  RenderWorker& operator=(const RenderWorker&) = delete;

  void request(Job job, Done done, Failed failed = {});
  // True from a request until its picture is handed over (or it is overtaken).
  bool busy() const { return outstanding_.load() > 0; }

 private:
  struct Task {
    Job job;
    Done done;
    Failed failed;
    std::shared_ptr<std::atomic<bool>> cancel;
  };
  void run(const std::stop_token& stop);

  QObject* receiver_;  // owns this worker, so it outlives the thread
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::unique_ptr<Task> next_;                        // guarded by mutex_
  std::shared_ptr<std::atomic<bool>> runningCancel_;  // guarded by mutex_
  std::atomic<int> outstanding_{0};
  std::jthread thread_;  // last: joined before the members it uses go
};

}  // namespace quillon::grapher
