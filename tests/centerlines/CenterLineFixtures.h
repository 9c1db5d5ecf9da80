#pragma once

#include "support/ScratchFolder.h"
#include "tests/centerlines/CenterLinePicture.h"
#include "tests/centerlines/EventLog.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/CenterLinesRepresentation.h>
#include <tqannotations/ConstructionCurve.h>
#include <tqg/DatumCSys.h>
#include <tqg/Shape.h>
#include <tqk/AnnoSet.h>
#include <tqk/AsyncEvent.h>
#include <tqk/DocumentStore.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>
#include <tqk/illustration/SbomTree.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <string>
#include <vector>

namespace centerline_tests {

//! A center line drawn on a page of its own, as the host's drawing documents number their pages.
class PagedLine : public tqannotations::CenterLinesAnnotation
{
public:
  explicit PagedLine(int page) : m_page(page) {}
  int GetPageNum() const override { return m_page; }

private:
  int m_page;
};

//! No rotation at all.
const dg::Quat kUnturned(0.0, 0.0, 0.0, 1.0);

//! A rotation by the angle (degrees) about the axis.
inline dg::Quat Turn(double degrees, const dg::DVec3& axis)
{
  return dg::Quat::FromAxisAngle(axis, degrees * std::acos(-1.0) / 180.0);
}

//! The sample illustration with the center lines' parts and two more: "tower", a 2 x 3 x 12 box
//! turned by 30 degrees about z, whose axis stands upright (its ends at different heights), and
//! "gauge", a box carrying a coordinate-system datum that is turned by 40 degrees about a slanted
//! axis. It holds one measured center line, built by one of two fixtures in which every value
//! differs from the defaults and from the other fixture's, every flag the other way round:
//! - first: the tower and the assembly "housing" (a structure node), routed along the gauge's
//!   coordinate system, haloed, following its parts, 4 pixels wide, dashed, round and arrow heads;
//! - second: the bore of "bored" and a point picked on "housing/cover", straight, no halo, hidden
//!   stretches shown, not following its parts, 8 pixels wide, another dash and arrow head.
class CenterLineStage
{
public:
  //! variant 0: the first fixture, 1: the second, 2: the second saved, loaded into a new line
  //! whose picks the host found again.
  explicit CenterLineStage(int variant) : second(variant > 0)
  {
    const du::SmartPtr<tqk::Preferences> preferences = tqk::World::GetWorld()->GetPreferences();
    preferences->Clear();
    tqk::World::GetWorld()->GetUndoHistory().Clear();
    Pump();
    builder.BuildSample();
    builder.BuildCenterLineParts();
    builder.AddBoxPart(nullptr, "tower", dg::DPoint3D(0, 0, 0), dg::DPoint3D(2, 3, 12),
                       dg::Location(dg::DPoint3D(130, 40, 5), Turn(30, dg::DVec3(0, 0, 1)), 1.0));
    const du::SmartPtr<tqg::Shape> gauge =
        tqg::Shape::CreateBox(dg::DPoint3D(0, 0, 0), dg::DPoint3D(4, 4, 4));
    gauge->AddDatum(new tqg::DatumCSys(Placement(dg::DPoint3D(0, 0, 0), 40)));
    builder.AddPart(nullptr, "gauge", gauge, dg::Location(dg::DPoint3D(150, 10, 3), kUnturned, 1.0));
    builder.GetScene()->SetAnnoSet(set);
    line = new PagedLine(second ? 7 : 3);
    line->SetId(second ? 97 : 41);
    set->AddAnnotation(line);
    line->AttachScene(builder.GetScene());
    line->RegisterObserver(log);
    if (!second)
      line->SetCSys(static_cast<tqannotations::CenterStyle::CSYS_ID>(0),
                    tqannotations::CenterStyle::CSYS_PICKED, Placement(dg::DPoint3D(0, 0, 0), 40), Gauge());
    line->SetLineStyle(Style(), 0xFFFF);
    Pick(second ? Items{Bore(), Point()} : Items{Tower(), Housing(), Gauge()});
    if (variant == 2) {
      std::string unshown;
      const du::SmartPtr<PagedLine> loaded = Reopen(unshown);
      set->RemoveAnnotationFromSet(line, nullptr);
      loaded->RegisterObserver(log);
      Pick(Picked(), loaded);
      line = loaded;
    }
    HandOverJogs();
  }
  ~CenterLineStage()
  {
    line->DetachScene();
    Pump();
    builder.GetScene()->SetAnnoSet(nullptr);
    builder.TearDown();
    tqk::World::GetWorld()->GetUndoHistory().Clear();
  }

  using Items = std::vector<du::SmartPtr<tqk::SelectionItem>>;

  //! Plays the host's drawing, which hands the drawn line the corners of its route as jogs; the
  //! line takes them over when it is drawn again.
  void HandOverJogs()
  {
    const std::deque<dg::DPoint3D> jogs =
        second ? std::deque<dg::DPoint3D>{{83, 4, 1}, {84, 6, 1.5}}
               : std::deque<dg::DPoint3D>{{131, 42, 7}, {129, 43, 11}, {130, 41, 16}};
    for (const du::SmartPtr<tqk::Markup>& holder : builder.GetScene()->GetMarkups())
      for (const du::SmartPtr<tqk::Markup>& child : holder->GetChildren())
        if (const auto drawn = du::SmartPtr<tqannotations::CenterLinesRepresentation>::DynamicCast(child))
          drawn->SetJogs(jogs);
    line->DetachScene();
    line->AttachScene(builder.GetScene());
  }

  static std::size_t Pump() { return tqk::Kernel::GetKernel()->PumpQueue(); }

  //! Hands the items to the line as the host does after a pick, and lets the measurement finish.
  void Pick(const Items& items, const du::SmartPtr<tqannotations::CenterLinesAnnotation>& target = nullptr)
  {
    request = new tqk::AsyncEvent;
    (target ? target : line)->SetObjects(items, request, true);
    Pump();
  }

  tqannotations::CenterStyle Style() const
  {
    tqannotations::CenterStyle style;
    style.strokeColor = second ? dg::Color(0.1f, 0.6f, 0.35f, 0.8f) : dg::Color(0.8f, 0.3f, 0.15f, 0.9f);
    style.lineWidth = second ? 6.0f : 3.0f; // 8 and 4 pixels
    style.lineStyle = second ? 5 : 2;
    style.arrowType = second ? 3 : 6;
    style.isHalo = !second;
    style.allwaysInFront = second;
    style.alongXYZ = !second;
    style.attached = !second;
    style.xyzFlag = second ? 2 : 5;
    style.MapXYZOrder();
    style.lineExtent1 = second ? 3.5f : 1.5f;
    style.lineExtent2 = second ? 0.5f : 2.5f;
    style.csysType = second ? tqannotations::CenterStyle::CSYS_NONE : tqannotations::CenterStyle::CSYS_PICKED;
    return style;
  }

  static dg::Location Placement(const dg::DPoint3D& origin, double degrees)
  {
    return dg::Location(origin, Turn(degrees, dg::DVec3(0.3, 0.4, 0.866)).Normalized(), 1.0);
  }

  //! A node of the structure tree, as the user picks it there.
  du::SmartPtr<tqk::SelectionItem> Node(const char* idPath, const du::Symbol& type) const
  {
    du::SmartPtr<tqk::SelectionItem> item(new tqk::illustration::SbomInstanceSelectionItem(
        builder.GetTree()->FindInstance(du::Symbol(idPath))));
    item->SetContentType(type);
    return item;
  }
  du::SmartPtr<tqk::SelectionItem> Tower() const { return Node("tower", tqk::mcad_selection::Instance); }
  du::SmartPtr<tqk::SelectionItem> Housing() const { return Node("housing", tqk::mcad_selection::Assembly); }
  du::SmartPtr<tqk::SelectionItem> Geometry(const char* part, const du::SmartPtr<tqg::Geometry>& geometry,
                                            const du::Symbol& type) const
  {
    du::SmartPtr<tqk::SelectionItem> item(
        new tqk::GeometrySelectionItem(geometry, builder.FindPart(part)->GetInstance()));
    item->SetContentType(type);
    return item;
  }
  du::SmartPtr<tqk::SelectionItem> Bore(const du::Symbol& type = tqk::mcad_selection::Face3D) const
  {
    return Geometry("bored", builder.FindPart("bored")->GetShape()->GetShapeData()->GetFaces().back(), type);
  }
  //! An assembly of the structure tree picked as an object.
  du::SmartPtr<tqk::SelectionItem> Object(const char* idPath) const
  {
    du::SmartPtr<tqk::SelectionItem> item(
        new tqk::ObjectSelectionItem(builder.GetTree()->FindInstance(du::Symbol(idPath))->GetEbomInstance()));
    item->SetContentType(tqk::mcad_selection::Assembly);
    return item;
  }
  //! A construction curve along the rod's first edge.
  du::SmartPtr<tqk::SelectionItem> Curve() const
  {
    du::SmartPtr<tqk::SelectionItem> item(new tqk::ObjectSelectionItem(new tqannotations::ConstructionCurve(
        du::Symbol("guide"), {builder.FindPart("rod")->GetShape()->GetShapeData()->GetEdges()[0]})));
    item->SetContentType(tqk::mcad_selection::Annotation);
    return item;
  }
  du::SmartPtr<tqk::SelectionItem> TopOfBored() const
  {
    return Geometry("bored", builder.FindPart("bored")->GetShape()->GetShapeData()->GetFaces()[1],
                    tqk::mcad_selection::Face3D);
  }
  du::SmartPtr<tqk::SelectionItem> Rod() const
  {
    return Geometry("rod", builder.FindPart("rod")->GetShape()->GetShapeData()->GetEdges()[0],
                    tqk::mcad_selection::Edge3D);
  }
  du::SmartPtr<tqk::SelectionItem> Gauge() const
  {
    return Geometry("gauge", builder.FindPart("gauge")->GetShape()->GetShapeData()->GetDatums()[0],
                    tqk::mcad_selection::Datum3D);
  }
  du::SmartPtr<tqk::SelectionItem> Point() const
  {
    const du::SmartPtr<tqk::SelectionItem> item =
        Geometry("housing/cover", nullptr, tqk::mcad_selection::Point3D);
    du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(item)->SetPickPoint(dg::DPoint3D(43, 6, 2));
    return item;
  }

  //! The items in the line's slots now, the empty ones left out.
  Items Picked(const du::SmartPtr<tqannotations::CenterLinesAnnotation>& target = nullptr) const
  {
    Items items;
    for (unsigned slot = 0; slot < 3; ++slot)
      if (const auto item =
              du::SmartPtr<tqk::SelectionItem>::DynamicCast((target ? target : line)->GetObject(slot)))
        items.push_back(item);
    return items;
  }

  //! The line's picture, with what the host's request heard and whether its first part shows.
  std::string Take()
  {
    const du::SmartPtr<tqk::ShapeInstance> first = builder.FindPart(second ? "bored" : "tower");
    return Picture(*line, builder.GetView(), log.Get()) +
           "told request: " + std::to_string(request ? int(request->GetStatus()) : -1) +
           "\nscene first part: " + (first && first->IsVisible() ? "shown" : "hidden") + "\n";
  }

  //! Saves the line through the document store and opens it in a new line, attached to the scene
  //! and held by the set as the host opens a document; unshown: what the new line saves before.
  du::SmartPtr<PagedLine> Reopen(std::string& unshown)
  {
    tqk::SerializedContentElement root(du::Symbol("document"));
    line->Visit(root);
    const tqsupport::ScratchFolder scratch("centerline-stage");
    const std::string path = scratch.File("document.xml");
    std::string error;
    EXPECT_TRUE(tqk::DocumentStore::Write(root, path, error)) << error;
    const std::unique_ptr<tqk::SerializedContentElement> read = tqk::DocumentStore::Read(path, error);
    du::SmartPtr<PagedLine> loaded(new PagedLine(line->GetPageNum()));
    EXPECT_TRUE(read && read->GetChildCount() == 1 &&
                loaded->InitializeFromSerializedContent(read->GetEntries()[0].child.get()))
        << error;
    unshown = Saved(*loaded);
    set->AddAnnotation(loaded);
    loaded->AttachScene(builder.GetScene());
    Pump();
    return loaded;
  }

  bool second;
  tqk::illustration::IllustrationBuilder builder;
  du::SmartPtr<tqk::AnnoSet> set{new tqk::AnnoSet};
  du::SmartPtr<EventLog> log{new EventLog};
  du::SmartPtr<PagedLine> line;
  du::SmartPtr<tqk::AsyncEvent> request; //!< the host's request of the last pick
};

} // namespace centerline_tests
