// Validating and measuring the n-th center line of a scene that holds n - 1 already, for
// n = 1,000 and 10,000, as time per line. The first item is a structure instance, so validation
// looks through the scene for another line on it: the time per line may grow with n, but only in
// proportion, so the summary states the ratio of the two against the ratio of the counts.

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/CenterLinesInfo.h>
#include <tqk/AnnoSet.h>
#include <tqk/AsyncEvent.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/mcad_selection.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using tqannotations::CenterLinesAnnotation;

du::SmartPtr<tqk::SelectionItem> PartItem(const tqk::illustration::IllustrationBuilder& builder,
                                          const char* idPath)
{
  du::SmartPtr<tqk::SelectionItem> item(
      new tqk::ObjectSelectionItem(builder.FindPart(idPath)->GetInstance()));
  item->SetContentType(tqk::mcad_selection::Instance);
  return item;
}

//! The sample illustration with n - 1 measured center lines drawn in its scene.
class CrowdedScene
{
public:
  explicit CrowdedScene(int existing) : m_set(new tqk::AnnoSet)
  {
    m_builder.BuildSample();
    m_builder.GetScene()->SetAnnoSet(m_set);
    const std::vector<du::SmartPtr<tqk::SelectionItem>> items{PartItem(m_builder, "frame/rib"),
                                                              PartItem(m_builder, "housing/bolt")};
    du::SmartPtr<CenterLinesAnnotation> model(new CenterLinesAnnotation);
    model->AttachScene(m_builder.GetScene());
    model->SetObjects(items, nullptr, true);
    tqk::Kernel::GetKernel()->PumpQueue();
    tqannotations::CenterLinesInfo measured;
    model->GetCenterLinesInfo(measured);
    model->DetachScene();
    // Each from the measured snapshot, so that filling the scene costs no measurement.
    for (int i = 0; i < existing; ++i) {
      du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation(measured));
      line->SetObjects(items, nullptr, false);
      line->AttachScene(m_builder.GetScene());
      m_set->AddAnnotation(line);
    }
  }

  ~CrowdedScene()
  {
    m_builder.TearDown();
    tqk::Kernel::GetKernel()->PumpQueue();
  }

  //! The structure instance of the cover, which no line of the scene uses yet.
  du::SmartPtr<tqk::SelectionItem> FreeCollection() const
  {
    du::SmartPtr<tqk::SelectionItem> item(new tqk::illustration::SbomInstanceSelectionItem(
        m_builder.GetTree()->FindInstance(du::Symbol("housing/cover"))));
    item->SetContentType(tqk::mcad_selection::Collection);
    return item;
  }

  const tqk::illustration::IllustrationBuilder& Builder() const { return m_builder; }
  const du::SmartPtr<tqk::AnnoSet>& Set() const { return m_set; }

private:
  tqk::illustration::IllustrationBuilder m_builder;
  du::SmartPtr<tqk::AnnoSet> m_set;
};

void MeasureTheNthLine(benchmark::State& state)
{
  const int n = static_cast<int>(state.range(0));
  CrowdedScene scene(n - 1);
  du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
  line->AttachScene(scene.Builder().GetScene());
  scene.Set()->AddAnnotation(line);
  const std::vector<du::SmartPtr<tqk::SelectionItem>> items{scene.FreeCollection(),
                                                            PartItem(scene.Builder(), "frame/plate")};

  for (auto _ : state) {
    du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
    line->SetObjects(items, request, true);
    tqk::Kernel::GetKernel()->PumpQueue();
    if (request->GetStatus() != tqk::BaseAsyncEvent::COMPLETED) {
      state.SkipWithError("the line was not measured");
      break;
    }
  }
  line->DetachScene();
}
BENCHMARK(MeasureTheNthLine)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
  // Ten times the lines: about ten times the time per line while it grows in proportion, with
  // room for a working set that no longer fits the caches; growth with the square of the count
  // would give a hundred.
  return RatioReporter::RunBenchmarks(argc, argv,
                                      {
                                          {"MeasureTheNthLine/10000", "MeasureTheNthLine/1000", 15.0},
                                      });
}
