#include "grapher/catalogue/record_prefetcher.h"

#include <algorithm>
#include <utility>

namespace quillon::grapher {

RecordPrefetcher::RecordPrefetcher(const RecordReader& reader, unsigned workers) : reader_(reader) {
  threads_.reserve(workers);
  for (unsigned i = 0; i < workers; ++i) threads_.emplace_back([this] { work(); });
}

RecordPrefetcher::~RecordPrefetcher() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  jobsChanged_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

unsigned RecordPrefetcher::DefaultWorkers() {
  return std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}

void RecordPrefetcher::request(std::string asin) {
  {
    const std::lock_guard lock(mutex_);
    jobs_.push_back(Job{std::move(asin), false, {}, nullptr});
  }
  jobsChanged_.notify_one();
}

void RecordPrefetcher::read(Job& job) const {
  try {
    job.fields = reader_.read(job.asin);
  } catch (...) {
    job.failure = std::current_exception();
  }
}

RecordFields RecordPrefetcher::take() {
  std::unique_lock lock(mutex_);
  Job& job = jobs_.front();
  if (started_ == 0) {
    // No worker has picked it up: reading it here beats waiting for one.
    started_ = 1;
    lock.unlock();
    read(job);
    lock.lock();
    job.done = true;
  } else {
    jobDone_.wait(lock, [&job] { return job.done; });
  }
  // Elements of a deque keep their place when others are added or removed, so
  // a worker's reference to its own job stays good until the job is taken.
  Job taken = std::move(job);
  jobs_.pop_front();
  --started_;
  lock.unlock();
  jobsChanged_.notify_all();  // the read-ahead window has moved on
  if (taken.failure) std::rethrow_exception(taken.failure);
  return std::move(taken.fields);
}

void RecordPrefetcher::work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    jobsChanged_.wait(
        lock, [this] { return stopping_ || (started_ < jobs_.size() && started_ < kReadAhead); });
    if (stopping_) return;
    Job& job = jobs_[started_++];
    lock.unlock();
    read(job);
    lock.lock();
    job.done = true;
    jobDone_.notify_all();
  }
}

}  // namespace quillon::grapher
