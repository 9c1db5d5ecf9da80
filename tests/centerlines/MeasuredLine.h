#pragma once

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/AnnoSet.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/mcad_selection.h>
#include <tqmk/CenterLineXYZ.h>

#include <vector>

//! A center line as the host leaves it after the user picked two parts of the sample
//! illustration: measured, drawn in the scene, and held by the scene's annotation set.
//!
//! The sample's parts are 10 x 10 x 2 boxes with their corners at x = 0 ("frame/plate"), 20
//! ("frame/rib"), 40 ("housing/cover") and 60 ("housing/bolt"); the line runs along the plate's
//! longest side through its centre, from (0, 5, 1) to (10, 5, 1), with extensions of 2 at both
//! ends. The view shows world (x, y) at pixel (x, y).
class MeasuredLine
{
public:
  //! A new line whose style has extensions of 2 at both ends, so that the ends and the extension
  //! points lie apart in the view.
  template <class Line = tqannotations::CenterLinesAnnotation>
  static du::SmartPtr<Line> Make()
  {
    const du::SmartPtr<tqk::Preferences> preferences = tqk::World::GetWorld()->GetPreferences();
    preferences->Clear();
    preferences->SetFloat("Annotations/Centerline/extent_start_spin", 2.0f);
    preferences->SetFloat("Annotations/Centerline/extent_end_spin", 2.0f);
    return du::SmartPtr<Line>(new Line);
  }

  explicit MeasuredLine(const du::SmartPtr<tqannotations::CenterLinesAnnotation>& made = Make())
      : line(made), set(new tqk::AnnoSet)
  {
    tqk::Kernel::GetKernel()->PumpQueue();
    builder.BuildSample();
    builder.GetScene()->SetAnnoSet(set);
    set->AddAnnotation(line);
    line->AttachScene(builder.GetScene());
    line->SetObjects({PartItem("frame/plate"), PartItem("frame/rib")}, nullptr, true);
    tqk::Kernel::GetKernel()->PumpQueue();
  }
  ~MeasuredLine()
  {
    line->DetachScene();
    tqk::Kernel::GetKernel()->PumpQueue();
    builder.TearDown();
  }

  //! An item that picks the part with that id path as a whole instance.
  du::SmartPtr<tqk::SelectionItem> PartItem(const std::string& idPath) const
  {
    du::SmartPtr<tqk::ObjectSelectionItem> item(
        new tqk::ObjectSelectionItem(builder.FindPart(idPath)->GetInstance()));
    item->SetContentType(tqk::mcad_selection::Instance);
    return item;
  }

  //! The polyline the user sees and drags: the drawn child of the line's representation.
  du::SmartPtr<tqmk::CenterLineXYZ> DrawnLine() const
  {
    for (const du::SmartPtr<tqk::Markup>& holder : builder.GetScene()->GetMarkups())
      for (const du::SmartPtr<tqk::Markup>& representation : holder->GetChildren())
        for (const du::SmartPtr<tqk::Markup>& child : representation->GetChildren())
          if (const auto drawn = du::SmartPtr<tqmk::CenterLineXYZ>::DynamicCast(child))
            return drawn;
    return nullptr;
  }

  tqannotations::CenterLinesInfo Info() const
  {
    tqannotations::CenterLinesInfo info;
    line->GetCenterLinesInfo(info);
    return info;
  }

  //! The item in the slot; null when it holds none.
  du::SmartPtr<tqk::SelectionItem> ItemIn(unsigned slot) const
  {
    return du::SmartPtr<tqk::SelectionItem>::DynamicCast(line->GetObject(slot));
  }

  tqk::illustration::IllustrationBuilder builder;
  du::SmartPtr<tqannotations::CenterLinesAnnotation> line;
  du::SmartPtr<tqk::AnnoSet> set;
};
