// The render worker: only the latest picture is delivered, a running job is
// cancelled by a newer request or by the worker's end, and a failing job is
// reported without ending the program.
#include "grapher/ui/render_worker.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>
#include <atomic>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace quillon::grapher {
namespace {

// Runs queued calls until done() holds; the jobs here end as soon as they are
// let go, so this returns at once unless something is wrong.
template <class Done>
void ProcessEventsUntil(Done done) {
  while (!done()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::this_thread::yield();
  }
}

QImage Picture(int width) {
  return QImage(width, 1, QImage::Format_RGB32);
}

// A job that starts, then waits until it is cancelled or let go.
struct HeldJob {
  std::shared_ptr<std::atomic<bool>> started = std::make_shared<std::atomic<bool>>(false);
  std::shared_ptr<std::atomic<bool>> release = std::make_shared<std::atomic<bool>>(false);
  std::shared_ptr<std::atomic<bool>> sawCancel = std::make_shared<std::atomic<bool>>(false);

  RenderWorker::Job job(int width) const {
    return [=, *this](const std::atomic<bool>& cancel) {
      started->store(true);
      while (!cancel.load() && !release->load()) std::this_thread::yield();
      sawCancel->store(cancel.load());
      return Picture(width);
    };
  }
};

class RenderWorkerTest : public ::testing::Test {
 protected:
  // Records the width of every delivered picture and every failure.
  RenderWorker::Done deliver() {
    return [this](QImage image) { delivered.push_back(image.width()); };
  }
  RenderWorker::Failed fail() {
    return [this](std::string reason) { failures.push_back(std::move(reason)); };
  }

  QObject receiver;
  std::vector<int> delivered;
  std::vector<std::string> failures;
};

TEST_F(RenderWorkerTest, NewerRequestsCancelTheRunningJobAndReplaceTheWaitingOne) {
  RenderWorker worker(receiver);
  const HeldJob first;
  worker.request(first.job(1), deliver());
  ProcessEventsUntil([&] { return first.started->load(); });
  std::atomic<bool> overtakenRan = false;
  worker.request(
      [&](const std::atomic<bool>&) {
        overtakenRan = true;
        return Picture(2);
      },
      deliver());
  worker.request([](const std::atomic<bool>&) { return Picture(3); }, deliver());
  ProcessEventsUntil([&] { return !worker.busy(); });
  EXPECT_TRUE(first.sawCancel->load());
  EXPECT_FALSE(overtakenRan.load());
  EXPECT_EQ(delivered, std::vector<int>{3});
}

TEST_F(RenderWorkerTest, AFailingJobIsReportedAndTheWorkerGoesOn) {
  RenderWorker worker(receiver);
  worker.request([](const std::atomic<bool>&) -> QImage { throw std::runtime_error("no memory"); },
                 deliver(), fail());
  ProcessEventsUntil([&] { return !worker.busy(); });
  worker.request([](const std::atomic<bool>&) -> QImage { throw 42; }, deliver(), fail());
  ProcessEventsUntil([&] { return !worker.busy(); });
  worker.request([](const std::atomic<bool>&) { return Picture(5); }, deliver(), fail());
  ProcessEventsUntil([&] { return !worker.busy(); });
  EXPECT_EQ(failures, (std::vector<std::string>{"no memory", ""}));
  EXPECT_EQ(delivered, std::vector<int>{5});
}

TEST_F(RenderWorkerTest, AFailureOfAnOvertakenJobIsNotReported) {
  RenderWorker worker(receiver);
  const HeldJob held;
  worker.request(
      [held](const std::atomic<bool>& cancel) -> QImage {
        held.started->store(true);
        while (!cancel.load()) std::this_thread::yield();
        throw std::runtime_error("cancelled midway");
      },
      deliver(), fail());
  ProcessEventsUntil([&] { return held.started->load(); });
  worker.request([](const std::atomic<bool>&) { return Picture(7); }, deliver(), fail());
  ProcessEventsUntil([&] { return !worker.busy(); });
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(delivered, std::vector<int>{7});
}

TEST_F(RenderWorkerTest, DestroyingTheWorkerCancelsTheRunningJobAndDeliversNothing) {
  const HeldJob held;
  {
    RenderWorker worker(receiver);
    worker.request(held.job(9), deliver(), fail());
    ProcessEventsUntil([&] { return held.started->load(); });
  }  // joins the thread: the job must see the cancel to let it end
  EXPECT_TRUE(held.sawCancel->load());
  QCoreApplication::processEvents();
  EXPECT_TRUE(delivered.empty());
  EXPECT_TRUE(failures.empty());
}

TEST_F(RenderWorkerTest, DestroyingTheReceiverDropsAPictureOnItsWay) {
  auto owner = std::make_unique<QObject>();
  std::atomic<bool> finished = false;
  {
    RenderWorker worker(*owner);
    worker.request(
        [&](const std::atomic<bool>&) {
          finished = true;
          return Picture(4);
        },
        deliver());
    while (!finished.load()) std::this_thread::yield();
  }
  owner.reset();  // the queued delivery goes with its receiver
  QCoreApplication::processEvents();
  EXPECT_TRUE(delivered.empty());
}

}  // namespace
}  // namespace quillon::grapher

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
