// Reads product records on worker threads ahead of the load, which takes them
// in the order it asked for them. Reading a record is most of a load's work;
// the catalogue itself is only ever touched by the load's own thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "grapher/catalogue/record_reader.h"

namespace quillon::grapher {

class RecordPrefetcher {
 public:
  // workers 0: every record is read by take() itself.
  RecordPrefetcher(const RecordReader& reader, unsigned workers);
  // Stops the workers; a record being read is finished first.
  ~RecordPrefetcher();
  RecordPrefetcher(const RecordPrefetcher&) = delete;
  RecordPrefetcher& operator=(const RecordPrefetcher&) = delete;

  // Queues the record of asin behind the earlier requests.
  void request(std::string asin);
  // The fields of the oldest request not taken yet. Precondition: one exists.
  RecordFields take();

  // Workers for this machine: one per core, at most four.
  static unsigned DefaultWorkers();

  // Requests read ahead of the oldest one, at most: bounds the memory held.
  static constexpr std::size_t kReadAhead = 512;

 private:
  struct Job {
    std::string asin;
    bool done = false;
    RecordFields fields;
    std::exception_ptr failure;
  };

  void work();
  void read(Job& job) const;

  const RecordReader& reader_;
  std::mutex mutex_;
  std::condition_variable jobsChanged_;  // a new request, a take, or the stop
  std::condition_variable jobDone_;
  std::deque<Job> jobs_;     // front: the oldest request not taken
  std::size_t started_ = 0;  // jobs_[0 .. started_) have been picked up
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace quillon::grapher
