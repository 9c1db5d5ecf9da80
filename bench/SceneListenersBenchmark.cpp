// Adding N listeners to a scene of parts and removing them again, in the order they were added, at
// N = 2,000 and 4,000: each addition and removal should take the same time however many
// listeners the scene holds, so doubling N should about double the time.

#include "RatioReporter.h"

#include <tqk/ShapeScene.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void AddAndRemoveListeners(benchmark::State& state)
{
  const du::SmartPtr<tqk::ShapeScene> scene(new tqk::ShapeScene);
  std::vector<tqk::ShapeSceneListener> listeners(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    for (tqk::ShapeSceneListener& listener : listeners)
      scene->AddListener(&listener);
    for (tqk::ShapeSceneListener& listener : listeners)
      scene->RemoveListener(&listener);
  }
  scene->Close();
}
BENCHMARK(AddAndRemoveListeners)->Arg(2000)->Arg(4000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
  return RatioReporter::RunBenchmarks(argc, argv,
                                      {{"AddAndRemoveListeners/4000", "AddAndRemoveListeners/2000", 2.2}});
}
