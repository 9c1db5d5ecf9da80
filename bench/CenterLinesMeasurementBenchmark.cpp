// Validating and measuring the n-th center line of a scene that holds n - 1 already, for
// n = 1,000 and 10,000, per line. The first item is a structure instance, so validation looks
// through the scene for another line on it: the work per line may grow with n, but only in
// proportion, so the summary states the ratio of the two against the ratio of the counts.
//
// The ratio is judged on instructions, counted with the processor's counter where there is one:
// the scan walks ten times the lines, whose working set no longer fits the caches at 10,000, so
// its CPU time grows faster than its work, and is only printed beside. Where the processor's
// counter is missing, count with callgrind, for each count alone
// (--benchmark_filter='MeasureTheNthLine/10000$'), collecting only inside MeasureOnce
// (--collect-atstart=no --toggle-collect='*MeasureOnce*'): callgrind_annotate --tree=caller then
// shows its instructions and calls. Collecting inside
// 'tqannotations::CenterLinesAnnotation::ValidateObjects() const' instead, the instructions per
// line scanned are the total divided by the calls of MySceneAnnotationVisitor::Visit.

#include "CrowdedScene.h"
#include "InstructionCounter.h"
#include "RatioReporter.h"

#include <tqk/AsyncEvent.h>
#include <tqk/Kernel.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using tqannotations::CenterLinesAnnotation;

//! One measurement of the line, from its picks to its answer: kept out of line, so that callgrind
//! can count its instructions per call.
__attribute__((noinline)) bool MeasureOnce(CenterLinesAnnotation& line,
                                           const std::vector<du::SmartPtr<tqk::SelectionItem>>& items)
{
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  line.SetObjects(items, request, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  return request->GetStatus() == tqk::BaseAsyncEvent::COMPLETED;
}

void MeasureTheNthLine(benchmark::State& state)
{
  const int n = static_cast<int>(state.range(0));
  const CrowdedScene& scene = CrowdedScene::Shared(n - 1);
  du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
  line->AttachScene(scene.Builder().GetScene());
  scene.Set()->AddAnnotation(line);
  const std::vector<du::SmartPtr<tqk::SelectionItem>> items{scene.FreeCollection(),
                                                            scene.PartItem("frame/plate")};

  const InstructionCounter counter;
  const std::uint64_t instructionsBefore = counter.Read();
  for (auto _ : state) {
    if (!MeasureOnce(*line, items)) {
      state.SkipWithError("the line was not measured");
      break;
    }
  }
  if (counter.IsAvailable())
    state.counters["instructions"] = benchmark::Counter(
        static_cast<double>(counter.Read() - instructionsBefore), benchmark::Counter::kAvgIterations);
  // The scene is kept for the next repetition: it must hold n - 1 lines again.
  scene.Set()->RemoveAnnotationFromSet(line, nullptr);
}
BENCHMARK(MeasureTheNthLine)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
  // Ten times the lines: about ten times the work per line while it grows in proportion;
  // growth with the square of the count would give a hundred.
  const int result = RatioReporter::RunBenchmarks(
      argc, argv, {{"MeasureTheNthLine/10000", "MeasureTheNthLine/1000", 11.0, "", "", "instructions"}});
  CrowdedScene::ReleaseShared();
  return result;
}
