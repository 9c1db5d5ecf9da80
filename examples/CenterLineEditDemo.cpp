// Edits a center line as the user does in the host: drags one end onto another part, undoes and
// redoes the drag, then moves, hides and removes parts under the line and shows what it does.

#include "DemoSteps.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/MarkupDrag.h>
#include <tqk/AnnoSet.h>
#include <tqk/BaseInstance.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/Operation.h>
#include <tqk/UndoHistory.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/mcad_selection.h>
#include <tqmk/CenterLineXYZ.h>

#include <cstdio>
#include <string>

namespace {

using tqannotations::CenterLinesAnnotation;
using tqk::illustration::IllustrationBuilder;

du::SmartPtr<tqk::SelectionItem> PartItem(const IllustrationBuilder& builder, const char* idPath)
{
  du::SmartPtr<tqk::ObjectSelectionItem> item(
      new tqk::ObjectSelectionItem(builder.FindPart(idPath)->GetInstance()));
  item->SetContentType(tqk::mcad_selection::Instance);
  return item;
}

//! The polyline the user drags: the drawn child of the line's representation in the scene.
du::SmartPtr<tqmk::CenterLineXYZ> DrawnLine(const IllustrationBuilder& builder)
{
  for (const du::SmartPtr<tqk::Markup>& holder : builder.GetScene()->GetMarkups())
    for (const du::SmartPtr<tqk::Markup>& representation : holder->GetChildren())
      for (const du::SmartPtr<tqk::Markup>& child : representation->GetChildren())
        if (const auto drawn = du::SmartPtr<tqmk::CenterLineXYZ>::DynamicCast(child))
          return drawn;
  return nullptr;
}

//! The id path of the part the slot's item picks; "nothing" for an empty slot.
std::string PickedName(const CenterLinesAnnotation& line, unsigned slot)
{
  const auto item = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(line.GetObject(slot));
  const auto part = item ? du::SmartPtr<tqk::BaseInstance>::DynamicCast(item->GetObject()) : nullptr;
  return part ? part->GetIDPath().GetText() : "nothing";
}

void PrintLine(const char* what, const CenterLinesAnnotation& line)
{
  tqannotations::CenterLinesInfo info;
  line.GetCenterLinesInfo(info);
  const dg::DPoint3D& offset1 = info.style.endpointOffset;
  const dg::DPoint3D& offset2 = info.style.anchorOffset;
  std::printf("  %s: %s to %s, drawn from (%g, %g, %g) to (%g, %g, %g), %s\n", what,
              PickedName(line, 0).c_str(), PickedName(line, 1).c_str(), info.point1.x + offset1.x,
              info.point1.y + offset1.y, info.point1.z + offset1.z, info.point2.x + offset2.x,
              info.point2.y + offset2.y, info.point2.z + offset2.z, line.IsVisible() ? "shown" : "hidden");
}

dg::Location At(double x, double y, double z)
{
  dg::Location placement = dg::Location::IDENTITY;
  placement.SetPos(dg::DPoint3D(x, y, z));
  return placement;
}

} // namespace

bool DemoCenterLineEdits(const LoadedPlugin& plugin)
{
  std::printf("== Center-line edits\n");
  IllustrationBuilder builder;
  builder.BuildSample();
  const du::SmartPtr<tqk::Kernel> kernel = tqk::Kernel::GetKernel();
  tqk::UndoHistory& history = tqk::World::GetWorld()->GetUndoHistory();
  const du::SmartPtr<tqk::AnnoSet> document(new tqk::AnnoSet);
  builder.GetScene()->SetAnnoSet(document);

  // Lines made from now on extend 2 beyond each end, so that the user can grab an end apart from
  // its extension point.
  const du::SmartPtr<tqk::Preferences> preferences = tqk::World::GetWorld()->GetPreferences();
  preferences->SetFloat("Annotations/Centerline/extent_start_spin", 2.0f);
  preferences->SetFloat("Annotations/Centerline/extent_end_spin", 2.0f);
  du::SmartPtr<du::RefCounted> component;
  plugin.createComponent("create", "annotation", "centerline", component);
  const auto line = du::SmartPtr<CenterLinesAnnotation>::DynamicCast(component);
  if (!line)
    return false;
  document->AddAnnotation(line);
  line->AttachScene(builder.GetScene());
  line->SetObjects({PartItem(builder, "frame/plate"), PartItem(builder, "frame/rib")}, nullptr, true);
  kernel->PumpQueue();
  PrintLine("picked", *line);
  bool ok = static_cast<bool>(DrawnLine(builder));

  // The user grabs the second end in the view (pixel (10, 5)) and drops it on the cover.
  {
    tqannotations::MarkupDrag drag(DrawnLine(builder), builder.GetView(), line.Get());
    ok = drag.StartAt(10, 5) && drag.Step(dg::DVec3(35, 0, 0)) &&
         drag.Stop(45, 5, new tqk::Operation("Drag", builder.GetScene(), true)) && ok;
  }
  PrintLine("dragged", *line);
  ok = PickedName(*line, 1) == "housing/cover" && history.GetUndoCount() == 1 && ok;
  ok = history.Undo() && ok;
  PrintLine("undone", *line);
  ok = PickedName(*line, 1) == "frame/rib" && ok;
  ok = history.Redo() && ok;
  PrintLine("redone", *line);

  const du::SmartPtr<tqk::ShapeScene> scene = builder.GetScene();
  scene->SetShapeInstanceLocation(builder.FindPart("housing/cover"), At(40, 10, 0));
  PrintLine("cover moved by (0, 10, 0)", *line);
  scene->SetVisibility({builder.FindPart("housing/cover")->GetInstance()}, false, true);
  PrintLine("cover hidden", *line);
  scene->SetVisibility({builder.FindPart("frame/plate")->GetInstance()}, false, true);
  PrintLine("plate hidden", *line);
  ok = !line->IsVisible() && ok;
  scene->SetVisibility({builder.FindPart("frame/plate")->GetInstance()}, true, true);
  PrintLine("plate shown", *line);
  scene->RemoveShapeInstance(builder.FindPart("frame/plate"));
  const bool left = !document->Contains(line);
  std::printf("  plate removed: the line %s the document\n", left ? "left" : "stayed in");
  ok = left && line->IsVisible() && ok;

  history.Clear();
  line->DetachScene();
  builder.TearDown();
  kernel->PumpQueue();
  return ok;
}
