// Moving a part under N center lines that follow it, at N = 8,000 and 16,000: the scene tells each
// line once, and each line moves its end. Against it, in the same run, the same lines told of the
// same move directly, one call each: that walk costs the lines' own work and whatever the caches
// add at that size, so the part move may grow as much as it does, and little more. The counts are
// large enough for a search of the listeners per listener told to stand out from the lines' own
// work; the part move against the direct walk at one count is stated beside.

#include "CrowdedScene.h"
#include "RatioReporter.h"

#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>

#include <benchmark/benchmark.h>

namespace {

//! Where the rib is moved to and back from: each line's end moves there and back again, so the
//! lines stay as they were over an even number of iterations.
const dg::Location& Away()
{
  static const dg::Location away(dg::FMat33::IDENTITY, dg::DPoint3D(0, 5, 0));
  return away;
}

void MovePartUnderLines(benchmark::State& state)
{
  const CrowdedScene& scene = CrowdedScene::Shared(static_cast<int>(state.range(0)));
  const du::SmartPtr<tqk::ShapeInstance> rib = scene.Builder().FindPart("frame/rib");
  const dg::Location home = rib->GetLocation();
  bool away = false;
  scene.Builder().GetScene()->SetShapeInstanceLocation(rib, home); // the lines' state in the caches
  for (auto _ : state) {
    away = !away;
    scene.Builder().GetScene()->SetShapeInstanceLocation(rib, away ? Away() : home);
  }
  scene.Builder().GetScene()->SetShapeInstanceLocation(rib, home);
}
BENCHMARK(MovePartUnderLines)->Arg(8000)->Arg(16000)->Unit(benchmark::kMicrosecond);

void TellLinesOfTheMoveDirectly(benchmark::State& state)
{
  const CrowdedScene& scene = CrowdedScene::Shared(static_cast<int>(state.range(0)));
  const tqannotations::AssocAnnotation::ShapeInstances moved{scene.Builder().FindPart("frame/rib")};
  const auto tellAll = [&] {
    for (const auto& line : scene.Lines())
      line->OnShapeInstancesPositionModified(moved);
  };
  tellAll(); // the lines' state in the caches, as for the part move
  for (auto _ : state)
    tellAll();
}
BENCHMARK(TellLinesOfTheMoveDirectly)->Arg(8000)->Arg(16000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
  const int result = RatioReporter::RunBenchmarks(
      argc, argv,
      {
          {"MovePartUnderLines/16000", "TellLinesOfTheMoveDirectly/16000", 0.0},
          {"TellLinesOfTheMoveDirectly/16000", "TellLinesOfTheMoveDirectly/8000", 0.0},
          {"MovePartUnderLines/16000", "MovePartUnderLines/8000", 1.15, "TellLinesOfTheMoveDirectly/16000",
           "TellLinesOfTheMoveDirectly/8000"},
      });
  CrowdedScene::ReleaseShared();
  return result;
}
