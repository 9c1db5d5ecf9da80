// Recording N undo steps into an empty history, at N = 2,000 and 4,000: each record should take
// the same time however long the history is, so doubling N should about double the time.

#include "RatioReporter.h"

#include <tqk/Operation.h>
#include <tqk/OperationStep.h>
#include <tqk/UndoHistory.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class NoStep : public tqk::OperationStep
{
public:
  void Undo() override {}
  void Redo() override {}
};

void RecordUndoSteps(benchmark::State& state)
{
  std::vector<du::SmartPtr<tqk::Operation>> operations;
  for (int index = 0; index < state.range(0); ++index) {
    operations.push_back(new tqk::Operation("edit", nullptr, true));
    operations.back()->AddStep(new NoStep);
  }
  tqk::UndoHistory history;
  for (auto _ : state) {
    for (const du::SmartPtr<tqk::Operation>& operation : operations)
      history.Record(operation);
    history.Clear();
  }
}
BENCHMARK(RecordUndoSteps)->Arg(2000)->Arg(4000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
  return RatioReporter::RunBenchmarks(argc, argv, {{"RecordUndoSteps/4000", "RecordUndoSteps/2000", 2.2}});
}
