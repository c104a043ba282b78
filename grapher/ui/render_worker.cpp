#include "grapher/ui/render_worker.h"

#include <QMetaObject>
#include <exception>
#include <optional>

namespace quillon::grapher {

RenderWorker::RenderWorker(QObject& receiver)
    : receiver_(&receiver), thread_([this](const std::stop_token& stop) { run(stop); }) {}

RenderWorker::~RenderWorker() {
  {
    const std::scoped_lock lock(mutex_);
    if (runningCancel_) runningCancel_->store(true);
  }
  thread_.request_stop();
  wake_.notify_all();
}

void RenderWorker::request(Job job, Done done, Failed failed) {
  auto task = std::make_unique<Task>(Task{std::move(job), std::move(done), std::move(failed),
                                          std::make_shared<std::atomic<bool>>(false)});
  {
    const std::scoped_lock lock(mutex_);
    if (runningCancel_) runningCancel_->store(true);
    if (!next_) ++outstanding_;  // an overtaken waiting task is replaced, not added
    next_ = std::move(task);
  }
  wake_.notify_one();
}

void RenderWorker::run(const std::stop_token& stop) {
  for (;;) {
    std::unique_ptr<Task> task;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [this] { return next_ != nullptr; })) return;
      task = std::move(next_);
      runningCancel_ = task->cancel;
    }
    // An exception must not leave the thread: it would end the whole program.
    QImage image;
    std::optional<std::string> failure;
    try {
      image = task->job(*task->cancel);
    } catch (const std::exception& error) {
      failure = error.what();
    } catch (...) {
      failure = std::string();
    }
    {
      const std::scoped_lock lock(mutex_);
      runningCancel_.reset();
    }
    if (task->cancel->load() || stop.stop_requested()) {
      --outstanding_;
      continue;
    }
    // Queued calls to a receiver that is destroyed meanwhile are dropped by Qt.
    if (failure) {
      QMetaObject::invokeMethod(
          receiver_,
          [this, failed = std::move(task->failed), reason = std::move(*failure)]() mutable {
            --outstanding_;
            if (failed) failed(std::move(reason));
          },
          Qt::QueuedConnection);
      continue;
    }
    QMetaObject::invokeMethod(
        receiver_,
        [this, done = std::move(task->done), image = std::move(image)]() mutable {
          --outstanding_;
          done(std::move(image));
        },
        Qt::QueuedConnection);
  }
}

}  // namespace quillon::grapher
