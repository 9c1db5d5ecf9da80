#include "ThreadRounds.h"

#include <tqk/Annotation.h>
#include <tqk/Markup.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/Operation.h>

#include <gtest/gtest.h>

#include <new>
#include <vector>

namespace {

using tqk::MemoryPoolAllocated;

class NoStep : public tqk::OperationStep
{
public:
  void Undo() override {}
  void Redo() override {}
};

TEST(MemoryPool, CountsLiveObjectsPerFamily)
{
  const std::size_t before = MemoryPoolAllocated::GetLiveCount();
  {
    du::SmartPtr<tqk::Annotation> annotation(new tqk::Annotation(2));
    du::SmartPtr<tqk::Markup> markup(new tqk::Markup);
    du::SmartPtr<tqk::Operation> operation(new tqk::Operation("edit", nullptr, true));
    operation->AddStep(new NoStep);
    operation->AddStep(new NoStep);
    EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::ANNOTATIONS), 1u);
    EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::MARKUPS), 1u);
    EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::OPERATIONS), 1u);
    EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::OPERATION_STEPS), 2u);
    EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(), before + 5);
  }
  EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(), before);
  EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::OPERATION_STEPS), 0u);
}

//! Throws from its constructor, after the pool gave it memory.
class FailingAnnotation : public tqk::Annotation
{
public:
  FailingAnnotation() : tqk::Annotation(2) { throw std::runtime_error("cannot build"); }
};

TEST(MemoryPool, ExhaustionThrowsAndFailedConstructionGivesTheMemoryBack)
{
  const std::size_t before = MemoryPoolAllocated::GetLiveCount();
  MemoryPoolAllocated::SetLiveObjectLimit(before + 1);
  du::SmartPtr<tqk::Markup> last(new tqk::Markup);
  EXPECT_THROW(new tqk::Markup, std::bad_alloc);
  EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(), before + 1);
  MemoryPoolAllocated::SetLiveObjectLimit(0);

  EXPECT_THROW(new FailingAnnotation, std::runtime_error);
  EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::ANNOTATIONS), 0u);
}

TEST(MemoryPool, CountsStayExactWhenThreadsMakeAndDropObjectsAtOnce)
{
  const std::size_t before = MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::MARKUPS);
  constexpr int kThreads = 4;
  std::vector<std::vector<du::SmartPtr<tqk::Markup>>> kept(kThreads);
  test_threads::ThreadRounds threads;
  threads.AddMany(kThreads, 2000, [&kept](int t, int) {
    kept[t].push_back(du::SmartPtr<tqk::Markup>(new tqk::Markup));
    if (kept[t].size() > 16)
      kept[t].erase(kept[t].begin());
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  kept.clear();
  EXPECT_EQ(MemoryPoolAllocated::GetLiveCount(MemoryPoolAllocated::MARKUPS), before);
}

} // namespace
