// Drags a shown callout's label and then one of its leader's anchors with the host's drag
// driver, and walks both edits back and forth through the world's undo history.

#include "DemoSteps.h"

#include <tqannotations/MarkupDrag.h>

#include <tqk/Kernel.h>
#include <tqk/World.h>
#include <tqmk/CalloutLabel.h>

#include <cstdio>

namespace {

using tqannotations::Callout;
using tqannotations::CalloutLeader;

//! Where the label and the leader's anchor end are drawn, in the scene's space.
struct Positions
{
  dg::DPoint3D label;
  dg::DPoint3D anchor;

  bool operator==(const Positions& other) const
  {
    return Same(label, other.label) && Same(anchor, other.anchor);
  }
  static bool Same(const dg::DPoint3D& a, const dg::DPoint3D& b)
  {
    return a.x == b.x && a.y == b.y && a.z == b.z;
  }
};

Positions Read(Callout& callout, const CalloutLeader& leader)
{
  Positions positions;
  callout.GetMarkupLabelPosition(positions.label);
  positions.anchor = leader.GetPoints().back();
  return positions;
}

void Print(const char* when, const Positions& positions)
{
  std::printf("    %-28s label (%.2f, %.2f, %.2f), anchor (%.2f, %.2f, %.2f)\n", when, positions.label.x,
              positions.label.y, positions.label.z, positions.anchor.x, positions.anchor.y,
              positions.anchor.z);
}

//! The view pixel that shows the scene point; the sample view maps x and y one to one.
int Pixel(double coordinate) { return int(coordinate + (coordinate < 0 ? -0.5 : 0.5)); }

//! Drags the markup from the pixel by the offset (in pixels) and drops it, as the host does.
bool Drag(const du::SmartPtr<tqk::Markup>& markup, tqk::illustration::IllustrationBuilder& illustration,
          int x, int y, int dx, int dy, const char* operationName)
{
  tqannotations::MarkupDrag drag(markup, illustration.GetView());
  if (!drag.StartAt(x, y))
    return false;
  drag.Step(dg::DVec3(dx, dy, 0));
  return drag.Stop(x + dx, y + dy, new tqk::Operation(operationName, illustration.GetScene(), true));
}

} // namespace

bool DemoCalloutDrags(const du::SmartPtr<Callout>& callout,
                      tqk::illustration::IllustrationBuilder& illustration)
{
  std::printf("  dragged, undone and redone:\n");
  const du::SmartPtr<tqmk::CalloutLabel> label = [&] {
    for (const du::SmartPtr<tqk::Markup>& markup : illustration.GetScene()->GetMarkups())
      if (const auto found = du::SmartPtr<tqmk::CalloutLabel>::DynamicCast(markup))
        return found;
    return du::SmartPtr<tqmk::CalloutLabel>();
  }();
  const du::SmartPtr<tqk::ShapeInstance> part = callout->GetShapeInstanceAtPos(0);
  du::SmartPtr<CalloutLeader> leader;
  for (const du::SmartPtr<tqk::Markup>& markup : illustration.GetScene()->GetMarkups())
    if (const auto found = du::SmartPtr<CalloutLeader>::DynamicCast(markup))
      if (found->GetShapeInstance() == part)
        leader = found;
  if (!label || !leader) {
    std::printf("    the callout shows no label or no leader on its first part\n");
    return false;
  }
  tqk::UndoHistory& history = tqk::World::GetWorld()->GetUndoHistory();
  history.Clear();

  const Positions placed = Read(*callout, *leader);
  Print("placed:", placed);
  bool ok = Drag(label, illustration, Pixel(placed.label.x), Pixel(placed.label.y), 10, 5, "Move Label");
  const Positions labelMoved = Read(*callout, *leader);
  Print("label dragged by (10, 5):", labelMoved);
  // The anchor end lands where the kernel's pick meets the part, another point of it.
  ok = Drag(leader, illustration, Pixel(placed.anchor.x), Pixel(placed.anchor.y), -3, 2, "Drag") && ok;
  const Positions anchorMoved = Read(*callout, *leader);
  Print("anchor dragged by (-3, 2):", anchorMoved);

  ok = history.Undo() && ok;
  Print("anchor drag undone:", Read(*callout, *leader));
  ok = Read(*callout, *leader) == labelMoved && history.Undo() && ok;
  Print("label drag undone:", Read(*callout, *leader));
  ok = Read(*callout, *leader) == placed && history.Redo() && history.Redo() && ok;
  Print("both redone:", Read(*callout, *leader));
  ok =
      Read(*callout, *leader) == anchorMoved && !(labelMoved == placed) && !(anchorMoved == labelMoved) && ok;
  history.Clear(); // its steps hold the callout
  return ok;
}
