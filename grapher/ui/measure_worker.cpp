#include "grapher/ui/measure_worker.h"

#include <QMetaObject>

#include "grapher/analysis/igraph_handles.h"

namespace quillon::grapher {

MeasureWorker::MeasureWorker(QObject& receiver)
    : receiver_(&receiver), thread_([this](const std::stop_token& stop) { run(stop); }) {}

MeasureWorker::~MeasureWorker() {
  cancelRunning_.store(true);
  thread_.request_stop();
  wake_.notify_all();
}

void MeasureWorker::start(analysis::LinkStructure links, Progress progress, Done done) {
  const std::uint64_t generation = ++generation_;
  {
    const std::scoped_lock lock(mutex_);
    cancelRunning_.store(true);
    next_ = std::make_unique<Task>(
        Task{std::move(links), std::move(progress), std::move(done), generation});
  }
  wake_.notify_one();
}

void MeasureWorker::cancel() {
  const std::uint64_t generation = ++generation_;
  const std::scoped_lock lock(mutex_);
  cancelRunning_.store(true);
  next_.reset();
  delivered_.store(generation);
}

void MeasureWorker::post(std::uint64_t generation, std::function<void()> call) {
  // Queued calls to a receiver that is destroyed meanwhile are dropped by Qt;
  // a call for an overtaken computation is dropped here.
  QMetaObject::invokeMethod(
      receiver_,
      [this, generation, call = std::move(call)] {
        if (generation_.load() == generation) call();
      },
      Qt::QueuedConnection);
}

void MeasureWorker::run(const std::stop_token& stop) {
  for (;;) {
    std::unique_ptr<Task> task;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [this] { return next_ != nullptr; })) return;
      task = std::move(next_);
      cancelRunning_.store(false);
    }
    const std::uint64_t generation = task->generation;
    analysis::MeasureOptions options;
    options.cancel = &cancelRunning_;
    options.onStep = [this, generation, progress = task->progress](analysis::MeasureStep step) {
      if (progress) post(generation, [progress, step] { progress(step); });
    };
    std::shared_ptr<const analysis::GraphMeasures> measures;
    std::string error;
    try {
      if (auto computed = analysis::ComputeMeasures(task->links, options))
        measures = std::make_shared<const analysis::GraphMeasures>(std::move(*computed));
      else
        continue;                        // cancelled
    } catch (const std::exception& e) {  // igraph's failures and running out of memory
      error = e.what();
    }
    post(generation, [this, generation, done = std::move(task->done), measures, error] {
      delivered_.store(generation);
      done(measures, error);
    });
  }
}

}  // namespace quillon::grapher
