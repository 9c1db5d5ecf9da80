// Callouts at scale, each against a baseline of the same size measured in the same run:
// - attaching a callout with N leaders to a scene and detaching it, against adding N markups to
//   the scene and taking them out again;
// - saving N callouts into a document tree and loading them into new callouts, against copying
//   a tree of the same properties with a visitor.
// Both are measured at 1,000 and 2,000; doubling the count should about double the time.

#include <tqannotations/Callout.h>

#include "RatioReporter.h"

#include <tqk/SerializedContentElement.h>
#include <tqk/SerializedContentVisitor.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqmk/LeaderLine.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using tqannotations::Callout;
using tqannotations::TAnnotation;

du::SmartPtr<TAnnotation> TemplateWithLeaders()
{
  du::SmartPtr<TAnnotation> definition(new TAnnotation);
  definition->hasLeaders = true;
  definition->label = new tqannotations::TLabel;
  definition->leaders = new tqannotations::TLeaders;
  definition->leaders->styles.push_back(new tqannotations::LineStyle);
  return definition;
}

//! The sample illustration, built once for the whole run.
tqk::illustration::IllustrationBuilder& Illustration()
{
  static tqk::illustration::IllustrationBuilder* illustration = [] {
    auto* built = new tqk::illustration::IllustrationBuilder;
    built->BuildSample();
    return built;
  }();
  return *illustration;
}

du::SmartPtr<Callout> CalloutWithLeaders(int leaders)
{
  const auto part = Illustration().FindPart("frame/plate");
  du::SmartPtr<Callout> callout(new Callout);
  callout->Initialize(TemplateWithLeaders(), part, false, nullptr);
  for (int index = 1; index < leaders; ++index)
    callout->ConnectLeader(callout->CreateCalloutLeader(dg::DPoint3D(index % 10, 1, 1), part, nullptr));
  return callout;
}

void AddAndRemoveMarkups(benchmark::State& state)
{
  const auto scene = Illustration().GetScene();
  std::vector<du::SmartPtr<tqk::Markup>> markups;
  for (int index = 0; index <= state.range(0); ++index) // the leaders and the label
    markups.push_back(new tqmk::LeaderLine);
  for (auto _ : state) {
    for (const auto& markup : markups)
      scene->AddMarkup(markup);
    for (const auto& markup : markups)
      scene->RemoveMarkup(markup);
  }
}
BENCHMARK(AddAndRemoveMarkups)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

void AttachAndDetachCallout(benchmark::State& state)
{
  const du::SmartPtr<Callout> callout = CalloutWithLeaders(int(state.range(0)));
  const auto scene = Illustration().GetScene();
  for (auto _ : state) {
    callout->AttachScene(scene);
    callout->DetachScene();
  }
}
BENCHMARK(AttachAndDetachCallout)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

std::vector<du::SmartPtr<Callout>> PlacedCallouts(int count)
{
  std::vector<du::SmartPtr<Callout>> callouts;
  for (int index = 0; index < count; ++index)
    callouts.push_back(CalloutWithLeaders(1));
  return callouts;
}

//! Copies every property of a walked tree into another, as a plain reader of the same tree.
class TreeCopier : public tqk::SerializedContentVisitor
{
public:
  explicit TreeCopier(tqk::SerializedContentElement& root) { m_open.push_back(&root); }
  using tqk::SerializedContentVisitor::Visit;
  bool StartElement(const du::Symbol& name, tqk::SerializedContentElement*) override
  {
    m_open.push_back(&m_open.back()->StartContent(name));
    return true;
  }
  bool EndElement(const du::Symbol&) override
  {
    m_open.pop_back();
    return true;
  }
  void Visit(const du::Symbol& key, bool value) override { m_open.back()->AddProperty(key, value); }
  void Visit(const du::Symbol& key, std::int32_t value) override { m_open.back()->AddProperty(key, value); }
  void Visit(const du::Symbol& key, std::uint32_t value) override { m_open.back()->AddProperty(key, value); }
  void Visit(const du::Symbol& key, std::uint64_t value) override { m_open.back()->AddProperty(key, value); }
  void Visit(const du::Symbol& key, float value) override { m_open.back()->AddProperty(key, value); }
  void Visit(const du::Symbol& key, const du::Symbol& value) override
  {
    m_open.back()->AddProperty(key, value);
  }
  void Visit(const du::Symbol& key, const dg::DPoint3D& value) override
  {
    m_open.back()->AddProperty(key, value);
  }
  void Visit(const du::Symbol& key, const dg::Color& value) override
  {
    m_open.back()->AddProperty(key, value);
  }

private:
  std::vector<tqk::SerializedContentElement*> m_open;
};

std::unique_ptr<tqk::SerializedContentElement> Saved(const std::vector<du::SmartPtr<Callout>>& callouts)
{
  auto document = std::make_unique<tqk::SerializedContentElement>(du::Symbol("document"));
  for (const auto& callout : callouts)
    callout->Visit(*document);
  return document;
}

void CopySavedTree(benchmark::State& state)
{
  const auto document = Saved(PlacedCallouts(int(state.range(0))));
  for (auto _ : state) {
    tqk::SerializedContentElement copy(du::Symbol("document"));
    TreeCopier copier(copy);
    document->Visit(copier);
    benchmark::DoNotOptimize(copy.GetChildCount());
  }
}
BENCHMARK(CopySavedTree)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

void SaveAndLoadCallouts(benchmark::State& state)
{
  const std::vector<du::SmartPtr<Callout>> callouts = PlacedCallouts(int(state.range(0)));
  for (auto _ : state) {
    const auto document = Saved(callouts);
    std::vector<du::SmartPtr<Callout>> loaded;
    loaded.reserve(callouts.size());
    for (const auto& entry : document->GetEntries()) {
      loaded.push_back(new Callout);
      loaded.back()->InitializeFromSerializedContent(entry.child.get());
    }
    benchmark::DoNotOptimize(loaded.data());
  }
}
BENCHMARK(SaveAndLoadCallouts)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
  return RatioReporter::RunBenchmarks(argc, argv,
                                      {
                                          {"AttachAndDetachCallout/1000", "AddAndRemoveMarkups/1000", 0.0},
                                          {"AttachAndDetachCallout/2000", "AttachAndDetachCallout/1000", 2.5},
                                          {"SaveAndLoadCallouts/1000", "CopySavedTree/1000", 0.0},
                                          {"SaveAndLoadCallouts/2000", "SaveAndLoadCallouts/1000", 2.5},
                                      });
}
