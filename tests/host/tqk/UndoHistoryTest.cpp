#include <tqk/Operation.h>
#include <tqk/OperationStep.h>
#include <tqk/RecordOperation.h>
#include <tqk/World.h>

#include <gtest/gtest.h>

#include <new>

#include <string>
#include <vector>

namespace {

using tqk::Operation;
using tqk::OperationStep;

class LoggingStep : public OperationStep
{
public:
  LoggingStep(std::vector<std::string>& log, const std::string& name) : m_log(log), m_name(name) {}
  void Undo() override { m_log.push_back("undo " + m_name); }
  void Redo() override { m_log.push_back("redo " + m_name); }

private:
  std::vector<std::string>& m_log;
  std::string m_name;
};

class UndoHistoryTest : public ::testing::Test
{
protected:
  void SetUp() override { History().Clear(); }
  void TearDown() override { History().Clear(); }

  static tqk::UndoHistory& History() { return tqk::World::GetWorld()->GetUndoHistory(); }

  du::SmartPtr<Operation> MakeOperation(const std::string& name, std::initializer_list<const char*> steps)
  {
    du::SmartPtr<Operation> operation(new Operation(name, nullptr, true));
    for (const char* step : steps)
      operation->AddStep(new LoggingStep(log, step));
    return operation;
  }

  std::vector<std::string> TakeLog()
  {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }

  std::vector<std::string> log;
};

TEST_F(UndoHistoryTest, UndoesStepsInReverseAndRedoesInOrderAcrossOperations)
{
  ASSERT_TRUE(tqk::RecordOperation(MakeOperation("first", {"a1", "a2"})));
  ASSERT_TRUE(tqk::RecordOperation(MakeOperation("second", {"b1", "b2", "b3"})));

  EXPECT_TRUE(History().Undo());
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"undo b3", "undo b2", "undo b1"}));
  EXPECT_TRUE(History().Undo());
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"undo a2", "undo a1"}));
  EXPECT_FALSE(History().Undo());

  EXPECT_TRUE(History().Redo());
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"redo a1", "redo a2"}));
  EXPECT_TRUE(History().Redo());
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"redo b1", "redo b2", "redo b3"}));
  EXPECT_FALSE(History().Redo());
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(UndoHistoryTest, RecordingAfterAnUndoDropsTheRedoBranch)
{
  tqk::RecordOperation(MakeOperation("first", {"a"}));
  tqk::RecordOperation(MakeOperation("second", {"b"}));
  History().Undo();
  ASSERT_EQ(History().GetRedoCount(), 1u);

  ASSERT_TRUE(tqk::RecordOperation(MakeOperation("third", {"c"})));
  EXPECT_EQ(History().GetRedoCount(), 0u);
  EXPECT_FALSE(History().Redo());
  History().Undo();
  History().Undo();
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"undo b", "undo c", "undo a"}));
}

TEST_F(UndoHistoryTest, RecordsOnlyOperationsThatCanBeUndone)
{
  const std::size_t offered = tqk::GetOfferedOperationCount();
  EXPECT_FALSE(tqk::RecordOperation(nullptr));
  EXPECT_FALSE(tqk::RecordOperation(MakeOperation("empty", {})));
  du::SmartPtr<Operation> notUndoable(new Operation("view change", nullptr, false));
  notUndoable->AddStep(new LoggingStep(log, "v"));
  EXPECT_FALSE(tqk::RecordOperation(notUndoable));
  EXPECT_FALSE(MakeOperation("x", {})->AddStep(nullptr));
  EXPECT_EQ(History().GetUndoCount(), 0u);
  EXPECT_EQ(tqk::GetOfferedOperationCount(), offered + 3) << "each one handed over is counted";
}

TEST_F(UndoHistoryTest, AnOperationRecordedTwiceIsUndoneOnce)
{
  // A drag records the operation that the annotation it reports to has recorded already.
  const du::SmartPtr<Operation> operation = MakeOperation("drag", {"move"});
  ASSERT_TRUE(tqk::RecordOperation(operation));
  EXPECT_FALSE(tqk::RecordOperation(operation));
  EXPECT_EQ(History().GetUndoCount(), 1u);

  EXPECT_TRUE(History().Undo());
  EXPECT_FALSE(tqk::RecordOperation(operation)) << "it waits to be redone";
  EXPECT_EQ(History().GetRedoCount(), 1u);
  EXPECT_FALSE(History().Undo());
  EXPECT_TRUE(History().Redo());
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"undo move", "redo move"}));
}

TEST_F(UndoHistoryTest, ALongHistoryKnowsWhatItHoldsAndReplaysInOrder)
{
  constexpr int kCount = 3000;
  std::vector<du::SmartPtr<Operation>> operations;
  for (int i = 0; i < kCount; ++i) {
    operations.push_back(MakeOperation("edit", {std::to_string(i).c_str()}));
    ASSERT_TRUE(tqk::RecordOperation(operations.back()));
  }
  EXPECT_FALSE(tqk::RecordOperation(operations.front())) << "held deep in the history";
  EXPECT_EQ(History().GetUndoCount(), std::size_t(kCount));

  ASSERT_TRUE(History().Undo());
  ASSERT_TRUE(History().Undo());
  EXPECT_FALSE(tqk::RecordOperation(operations[kCount - 1])) << "waits to be redone";
  ASSERT_TRUE(tqk::RecordOperation(MakeOperation("other", {"other"})));
  // The new record dropped the two undone operations: they may be recorded afresh.
  EXPECT_TRUE(tqk::RecordOperation(operations[kCount - 1]));
  EXPECT_EQ(History().GetUndoCount(), std::size_t(kCount));

  TakeLog();
  while (History().Undo()) {
  }
  std::vector<std::string> expected{std::to_string(kCount - 1), "other"};
  for (int i = kCount - 3; i >= 0; --i)
    expected.push_back(std::to_string(i));
  for (std::string& name : expected)
    name = "undo " + name;
  EXPECT_EQ(TakeLog(), expected);
  ASSERT_TRUE(History().Redo());
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"redo 0"}));

  History().Clear();
  EXPECT_TRUE(tqk::RecordOperation(operations[1])) << "a cleared history holds nothing";
}

//! A step that tries to record history while it is being replayed.
class RecordingStep : public OperationStep
{
public:
  void Undo() override { recordedDuringUndo = tqk::RecordOperation(MakeOther()); }
  void Redo() override {}
  bool recordedDuringUndo = true;

private:
  static du::SmartPtr<Operation> MakeOther()
  {
    du::SmartPtr<Operation> operation(new Operation("nested", nullptr, true));
    operation->AddStep(new RecordingStep);
    return operation;
  }
};

TEST_F(UndoHistoryTest, ReplayedStepsCannotRecordNewHistory)
{
  du::SmartPtr<RecordingStep> step(new RecordingStep);
  du::SmartPtr<Operation> operation(new Operation("edit", nullptr, true));
  operation->AddStep(step);
  ASSERT_TRUE(tqk::RecordOperation(operation));

  EXPECT_TRUE(History().Undo());
  EXPECT_FALSE(step->recordedDuringUndo);
  EXPECT_EQ(History().GetUndoCount(), 0u);
  EXPECT_EQ(History().GetRedoCount(), 1u);
}

//! A step whose undo fails the way a step may in the host: by running out of pool memory.
class FailingStep : public OperationStep
{
public:
  void Undo() override { throw std::bad_alloc(); }
  void Redo() override {}
};

TEST_F(UndoHistoryTest, AStepThatThrowsFailsTheUndoAndLeavesTheRestOfTheHistoryUsable)
{
  ASSERT_TRUE(tqk::RecordOperation(MakeOperation("first", {"a"})));
  du::SmartPtr<Operation> broken(new Operation("broken", nullptr, true));
  broken->AddStep(new FailingStep);
  ASSERT_TRUE(tqk::RecordOperation(broken));

  bool undone = true;
  EXPECT_NO_THROW(undone = History().Undo());
  EXPECT_FALSE(undone);
  EXPECT_EQ(History().GetRedoCount(), 0u) << "a half-undone operation cannot be redone";
  EXPECT_EQ(History().GetUndoCount(), 1u);

  EXPECT_TRUE(History().Undo()) << "the history is not left replaying";
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"undo a"}));
}

} // namespace
