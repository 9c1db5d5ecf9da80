#include "StartLine.h"
#include "ThreadRounds.h"

#include <tqk/AsyncEvent.h>
#include <tqk/Kernel.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(AsyncEvent, CompleteReachesTheRequesterOnceAndLaterAnswersAreRefused)
{
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  std::vector<tqk::BaseAsyncEvent::Status> heard;
  request->WhenDone([&](const tqk::BaseAsyncEvent& done) { heard.push_back(done.GetStatus()); });
  EXPECT_TRUE(request->IsPending());
  EXPECT_TRUE(request->Complete());
  EXPECT_FALSE(request->Complete());
  EXPECT_FALSE(request->CompleteWithError(du::Symbol("late"), 2));
  EXPECT_EQ(heard, (std::vector<tqk::BaseAsyncEvent::Status>{tqk::BaseAsyncEvent::COMPLETED}));
  EXPECT_TRUE(request->GetErrorMessage().IsEmpty());
}

TEST(AsyncEvent, ErrorCarriesItsMessageAndCodeToTheRequesterOnce)
{
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  int calls = 0;
  request->WhenDone([&](const tqk::BaseAsyncEvent& done) {
    ++calls;
    EXPECT_EQ(done.GetErrorMessage(), du::Symbol("Failed to create center line"));
    EXPECT_EQ(done.GetErrorCode(), 1);
  });
  EXPECT_TRUE(request->CompleteWithError(du::Symbol("Failed to create center line"), 1));
  EXPECT_FALSE(request->Complete());
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(request->GetStatus(), tqk::BaseAsyncEvent::FAILED);
}

TEST(AsyncEvent, RequesterRegisteringAfterTheAnswerHearsItAtOnce)
{
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  request->Complete();
  int calls = 0;
  request->WhenDone([&](const tqk::BaseAsyncEvent&) { ++calls; });
  EXPECT_EQ(calls, 1);
}

TEST(Kernel, AnswersRunOnlyWhenPumpedInOrderIncludingThoseQueuedMeanwhile)
{
  const du::SmartPtr<tqk::Kernel> kernel = tqk::Kernel::GetKernel();
  ASSERT_TRUE(kernel);
  EXPECT_EQ(kernel, tqk::Kernel::GetKernel());
  std::vector<int> ran;
  kernel->Post([&] {
    ran.push_back(1);
    kernel->Post([&] { ran.push_back(3); });
  });
  kernel->Post([&] { ran.push_back(2); });
  EXPECT_FALSE(kernel->Post(nullptr));
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(kernel->GetQueuedCount(), 2u);
  EXPECT_EQ(kernel->PumpQueue(), 3u);
  EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(kernel->PumpQueue(), 0u);
}

TEST(Kernel, KeepsManagedObjectsAliveUntilReleased)
{
  const du::SmartPtr<tqk::Kernel> kernel = tqk::Kernel::GetKernel();
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  const std::size_t before = kernel->GetManagedObjectCount();
  EXPECT_TRUE(kernel->ManageObject(request));
  EXPECT_FALSE(kernel->ManageObject(request));
  EXPECT_FALSE(kernel->ManageObject(nullptr));
  EXPECT_FALSE(kernel->ManageObject(kernel));
  EXPECT_EQ(kernel->GetManagedObjectCount(), before + 1);
  EXPECT_TRUE(kernel->ReleaseManagedObject(request));
  EXPECT_FALSE(kernel->ReleaseManagedObject(request));
  EXPECT_EQ(kernel->GetManagedObjectCount(), before);
}

// The kernel's queue and the requests are the host's thread-safe parts: requests are made and
// answered from any thread while the program pumps.
TEST(KernelThreads, AnswersPostedFromManyThreadsWhileOneThreadPumpsEachRunOnce)
{
  const du::SmartPtr<tqk::Kernel> kernel = tqk::Kernel::GetKernel();
  constexpr int kThreads = 4;
  constexpr int kAnswersEach = 2000;
  std::atomic<int> ran{0};
  std::size_t pumped = 0;
  test_threads::ThreadRounds threads;
  threads.AddMany(kThreads, kAnswersEach,
                  [&](int, int) { kernel->Post([&ran] { ran.fetch_add(1, std::memory_order_relaxed); }); });
  // The pumping thread pumps as often as one poster posts, while they post.
  threads.Add(kAnswersEach, [&](int) { pumped += kernel->PumpQueue(); });
  EXPECT_EQ(threads.Run(), threads.Asked());
  pumped += kernel->PumpQueue();
  EXPECT_EQ(pumped, std::size_t(kThreads * kAnswersEach));
  EXPECT_EQ(ran.load(), kThreads * kAnswersEach);
  EXPECT_EQ(kernel->GetQueuedCount(), 0u);
}

TEST(KernelThreads, RacingAnswersReachTheRequesterExactlyOnce)
{
  for (int round = 0; round < 200; ++round) {
    du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
    std::atomic<int> heard{0};
    request->WhenDone([&heard](const tqk::BaseAsyncEvent&) { heard.fetch_add(1); });
    std::atomic<int> accepted{0};
    test_threads::StartLine bothRunning(2);
    std::thread succeeding([&] {
      bothRunning.ArriveAndWait();
      accepted += request->Complete() ? 1 : 0;
    });
    std::thread failing([&] {
      bothRunning.ArriveAndWait();
      accepted += request->CompleteWithError("refused", 2) ? 1 : 0;
    });
    succeeding.join();
    failing.join();
    ASSERT_EQ(accepted.load(), 1);
    ASSERT_EQ(heard.load(), 1);
    ASSERT_NE(request->GetStatus(), tqk::BaseAsyncEvent::PENDING);
  }
}

} // namespace
