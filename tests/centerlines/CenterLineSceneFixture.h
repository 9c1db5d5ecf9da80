#pragma once

#include "tests/centerlines/EventLog.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/AnnoSet.h>
#include <tqk/AsyncEvent.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/World.h>
#include <tqk/mcad_selection.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqmk/CenterLineXYZ.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace centerline_tests {

using tqannotations::CenterLinesAnnotation;

//! How many times the log heard the event.
inline std::size_t Count(const EventLog& log, const std::string& event)
{
  std::size_t count = 0;
  for (const std::string& each : log.events)
    count += each == event;
  return count;
}

//! A center line that writes down the steps of its measurement as the host calls them, and lets
//! the tests reach the operations the host reaches through its subclasses.
class ProbeLine : public CenterLinesAnnotation
{
public:
  std::vector<std::string> steps;

  void OnViewBoundsReceived() override
  {
    steps.push_back("bounds");
    CenterLinesAnnotation::OnViewBoundsReceived();
  }

  using CenterLinesAnnotation::CreateMarkup;
  using CenterLinesAnnotation::CreateRepresentations;

protected:
  void OnAllGeometryLoaded() override
  {
    steps.push_back("geometry");
    CenterLinesAnnotation::OnAllGeometryLoaded();
  }
};

//! The sample illustration (plate and rib in the weld "frame", cover and bolt in "housing"; part
//! k spans x from 20 k to 20 k + 10), with an annotation set, and center lines on its parts.
class CenterLineSceneTest : public ::testing::Test
{
protected:
  void SetUp() override
  {
    tqk::World::GetWorld()->GetPreferences()->Clear();
    tqk::Kernel::GetKernel()->PumpQueue();
    builder.BuildSample();
    annoSet = new tqk::AnnoSet;
    builder.GetScene()->SetAnnoSet(annoSet);
  }

  void TearDown() override
  {
    for (const du::SmartPtr<CenterLinesAnnotation>& line : lines)
      line->DetachScene();
    lines.clear();
    Pump();
    builder.GetScene()->SetAnnoSet(nullptr);
    annoSet.Reset();
    builder.TearDown();
  }

  static std::size_t Pump() { return tqk::Kernel::GetKernel()->PumpQueue(); }

  //! The item of a whole part of the sample, as the user picks it.
  du::SmartPtr<tqk::SelectionItem> PartItem(const std::string& idPath) const
  {
    du::SmartPtr<tqk::SelectionItem> item(
        new tqk::ObjectSelectionItem(builder.FindPart(idPath)->GetInstance()));
    item->SetContentType(tqk::mcad_selection::Instance);
    return item;
  }

  //! A new line attached to the sample's scene and held by its annotation set, not yet picked.
  du::SmartPtr<ProbeLine> NewLine()
  {
    du::SmartPtr<ProbeLine> line(new ProbeLine);
    line->AttachScene(builder.GetScene());
    annoSet->AddAnnotation(line);
    lines.push_back(line);
    return line;
  }

  //! A line from the plate to the cover, measured: the plate's axis runs from (0, 5, 1) to
  //! (10, 5, 1).
  du::SmartPtr<ProbeLine> MeasuredLine()
  {
    du::SmartPtr<ProbeLine> line = NewLine();
    line->SetObjects({PartItem("frame/plate"), PartItem("housing/cover")}, nullptr, true);
    Pump();
    return line;
  }

  //! A log of the line's events from now on.
  static du::SmartPtr<EventLog> Observe(const du::SmartPtr<CenterLinesAnnotation>& line)
  {
    du::SmartPtr<EventLog> log(new EventLog);
    line->RegisterObserver(log);
    log->events.clear();
    return log;
  }

  //! The drawn child of each representation of each line in the scene, as the user sees them.
  std::vector<du::SmartPtr<tqmk::CenterLineXYZ>> DrawnLines() const
  {
    std::vector<du::SmartPtr<tqmk::CenterLineXYZ>> drawn;
    for (const du::SmartPtr<tqk::Markup>& holder : builder.GetScene()->GetMarkups())
      for (const du::SmartPtr<tqk::Markup>& representation : holder->GetChildren())
        for (const du::SmartPtr<tqk::Markup>& child : representation->GetChildren())
          if (const auto line = du::SmartPtr<tqmk::CenterLineXYZ>::DynamicCast(child))
            drawn.push_back(line);
    return drawn;
  }

  //! How many of the scene's markups are holders of center lines.
  std::size_t HoldersInScene() const { return builder.GetScene()->GetMarkupCount(); }

  tqk::illustration::IllustrationBuilder builder;
  du::SmartPtr<tqk::AnnoSet> annoSet;
  std::vector<du::SmartPtr<CenterLinesAnnotation>> lines;
};

} // namespace centerline_tests
