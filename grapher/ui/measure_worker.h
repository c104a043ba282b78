// Computes the network measures of a load on a thread of its own, so that the
// window stays responsive; a newer load cancels the one running.
#pragma once

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "grapher/analysis/graph_measures.h"

namespace quillon::grapher {

class MeasureWorker {
 public:
  // Called on the receiver's thread.
  using Progress = std::function<void(analysis::MeasureStep)>;
  // The measures, or null with igraph's message when it failed.
  using Done =
      std::function<void(std::shared_ptr<const analysis::GraphMeasures>, const std::string& error)>;

  // receiver must own the worker (it is destroyed, and the thread joined, first).
  explicit MeasureWorker(QObject& receiver);
  ~MeasureWorker();
  MeasureWorker(const MeasureWorker&) = delete;
  MeasureWorker& operator=(const MeasureWorker&) = delete;

  void start(analysis::LinkStructure links, Progress progress, Done done);
  // Drops the running and the waiting computation; neither reports.
  void cancel();
  // True from start until the result is handed over or cancelled.
  bool busy() const { return generation_.load() != delivered_.load(); }

 private:
  struct Task {
    analysis::LinkStructure links;
    Progress progress;
    Done done;
    std::uint64_t generation = 0;
  };
  void run(const std::stop_token& stop);
  void post(std::uint64_t generation, std::function<void()> call);

  QObject* receiver_;
  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::unique_ptr<Task> next_;  // guarded by mutex_
  std::atomic<bool> cancelRunning_{false};
  std::atomic<std::uint64_t> generation_{0};  // of the latest start or cancel
  std::atomic<std::uint64_t> delivered_{0};   // the generation last finished with
  std::jthread thread_;                       // last: joined before the members it uses go
};

}  // namespace quillon::grapher
