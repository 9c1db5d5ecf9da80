#include "tests/centerlines/CenterLineFixtures.h"
#include "tests/centerlines/PointText.h"
#include "tests/centerlines/RandomCenterLine.h"

#include <tqannotations/CenterLinesOperationStep.h>
#include <tqk/Operation.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>
#include <tqk/UndoHistory.h>
#include <tqmk/CenterLineXYZShadow.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <regex>
#include <sstream>

namespace centerline_tests {
namespace {

using tqannotations::CenterLinesAnnotation;
using tqannotations::CenterLinesOperationStep;
using tqannotations::CenterStyle;

tqk::UndoHistory& History() { return tqk::World::GetWorld()->GetUndoHistory(); }

//! What a picture of two lines may differ in: what they were told and whose they are (a copy
//! starts unselected). Whether the second end is drawn as attached depends on the way the line
//! was last drawn: a measurement leaves it as it was, every other redraw sets it.
std::string Shared(const std::string& picture)
{
  return Without(picture, {"told", "identity", "save   id:", "draw end attached", "scene", "draw selected"});
}

//! What a line loaded from a document may differ in beside: the stored jogs and the coordinate
//! system's id do not come back (the host's drawing hands the jogs over again, the host the id);
//! the host finds again only the picks of structure nodes (parts and assemblies), not those of
//! faces, edges, points and datums.
std::string Reloaded(const std::string& picture)
{
  return std::regex_replace(
      Without(Shared(picture),
              {"save   jogs", "read info jogs", "read representation", "save     ", "read slots",
               "read names", "read associated", "draw part", "read kind", "read csys item"}),
      std::regex(" id [0-9]+ "), " id ");
}

du::SmartPtr<tqmk::CenterLineXYZ> DrawnLine(const CenterLineStage& stage)
{
  for (const du::SmartPtr<tqk::Markup>& holder : stage.builder.GetScene()->GetMarkups())
    if (holder->GetController() == static_cast<tqk::MarkupController*>(stage.line.Get()))
      for (const du::SmartPtr<tqk::Markup>& representation : holder->GetChildren())
        for (const du::SmartPtr<tqk::Markup>& child : representation->GetChildren())
          if (const auto drawn = du::SmartPtr<tqmk::CenterLineXYZ>::DynamicCast(child))
            return drawn;
  return nullptr;
}

//! The user drags the point of the drawn line by the offset and drops it on the items it had.
void Drag(CenterLineStage& stage, bool secondEnd, const dg::DVec3& offset)
{
  const du::SmartPtr<tqmk::CenterLineXYZ> drawn = DrawnLine(stage);
  ASSERT_TRUE(drawn);
  du::SmartPtr<tqmk::CenterLineXYZShadow> shadow(
      new tqmk::CenterLineXYZShadow(stage.builder.GetView(), drawn));
  shadow->HandleDragStart();
  shadow->SetDraggedPoint(secondEnd ? static_cast<int>(drawn->GetPoints().size()) - 2 : 1);
  shadow->SetDragOffset(offset);
  shadow->HandleDragStep();
  const CenterLineStage::Items items = stage.Picked();
  shadow->SetStartPointItem(items[0]);
  shadow->SetEndPointItem(items.size() > 1 ? items[1] : nullptr);
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("drag", stage.builder.GetScene(), true));
  EXPECT_TRUE(stage.line->MarkupUpdated(drawn, shadow, operation));
}

//! The host records an edit of the line's items or look as one undoable step.
void Recorded(CenterLineStage& stage, const std::function<void()>& edit)
{
  du::SmartPtr<tqk::Operation> operation(new tqk::Operation("edit", stage.builder.GetScene(), true));
  const du::SmartPtr<CenterLinesOperationStep> step(new CenterLinesOperationStep(stage.line));
  edit();
  CenterLineStage::Pump();
  step->SetRedo();
  operation->AddStep(step);
  EXPECT_TRUE(History().Record(operation));
}

du::SmartPtr<tqk::ShapeInstance> FirstPart(const CenterLineStage& stage)
{
  return stage.builder.FindPart(stage.second ? "bored" : "tower");
}

//! The host sets an end through its own call: off the end by (1, -2, 3), stretched by 4.25, the
//! first on the item it had, the second on another.
void SetEnd(CenterLineStage& s, CenterLinesAnnotation::AttachedPoint end)
{
  tqannotations::CenterLinesInfo info;
  s.line->GetCenterLinesInfo(info);
  const bool first = end == CenterLinesAnnotation::FIRST_END;
  const dg::DPoint3D at = first ? info.point1 : info.point2;
  du::SmartPtr<tqk::SelectionItem> item = first ? s.Picked()[0] : s.second ? s.Housing() : s.Point();
  s.line->SetPoint(dg::DPoint3D(at.x + 1, at.y - 2, at.z + 3), 4.25f, item, end);
}

//! The host routes the line along a coordinate system of the type, with an id, and picks one.
void SetCSys(CenterLineStage& s, CenterStyle::CSYS_TYPE type, int id)
{
  s.line->SetCSys(static_cast<CenterStyle::CSYS_ID>(id), type, CenterLineStage::Placement({}, 25),
                  s.second ? s.Gauge() : s.TopOfBored());
}

//! An entry's text for the fixture: one the entry leaves out is the fixture's before it.
const char* For(const char* const (&texts)[3], int fixture)
{
  return fixture > 0 && !texts[fixture] ? For(texts, fixture - 1) : texts[fixture];
}

struct Entry
{
  const char* name;
  std::function<void(CenterLineStage&)> action;
  //! An edit the host records for undo; a restyle also marks the document modified itself.
  bool undoable;
  bool marksModified;
  //! The picture's keys the action changes, on each fixture; a fixture left out takes the one before.
  const char* changes[3];
  //! Lines of text the picture shows after the action, on each fixture as the keys.
  const char* shows[3] = {};
};

//! How each fixture looks before any edit, as reviewed by hand.
const char* const kFirstLook[2] = {
    "draw holder: page 3 visible yes\ndraw look: width 4 colour rgba(0.8 0.3 0.15 0.9) stipple 2 scale 4 "
    "arrows 6 size 16 halo yes\ndraw hidden stretches: shown no dashed no on top yes model width 0 model "
    "scale 0\ndraw state: visible yes drag factor 0.5 extensions 1.5 2.5 kind 6 plane 2\nread names: tower / "
    "Center Line 2\nread csys: 3 id 0 at (0 0 0) q(0.102608 0.136811 0.296196 0.939693) scale 1\nread csys "
    "item: 'MCAD_Datum3D'\nread info: 1 ends (130.116 41.799 5) (130.116 41.799 17) items at (130 40 5) (0 0 "
    "0)\nread routing: along axes yes order 5 201 csys 3 id 0 follows parts yes\nread ends: extensions 1.5 "
    "2.5 drag factor 0.5 offsets (0 0 0) (0 0 0)\ntold request: 1\nscene first part: shown\n",
    "draw holder: page 7 visible yes\ndraw look: width 8 colour rgba(0.1 0.6 0.35 0.8) stipple 5 scale 4 "
    "arrows 3 size 32 halo no\ndraw hidden stretches: shown yes dashed yes on top yes model width 0 model "
    "scale 0\ndraw state: visible yes drag factor 0.5 extensions 3.5 0.5 kind 6 plane 2\nread names: Center "
    "Line / Center Line 2\nread csys: 0 id 0 at (0 0 0) q(0 0 0 1) scale 1\nread csys item: '-'\nread info: "
    "1 ends (85 5 0) (85 5 2) items at (80 0 0) (40 0 0)\nread routing: along axes no order 2 210 csys 0 id "
    "0 follows parts no\nread ends: extensions 3.5 0.5 drag factor 0.5 offsets (0 0 0) (0 0 0)\ntold "
    "request: 1\nscene first part: shown\n"};

const Entry kCatalogue[] = {
    {"pick other items",
     [](CenterLineStage& s) {
       CenterLineStage::Items items = s.Picked();
       if (s.second)
         std::swap(items[0], items[1]);
       else // a line whose first pick is an assembly is not found again in a document
         items[0] = s.Node("frame/plate", tqk::mcad_selection::Instance);
       Recorded(s, [&] { s.Pick(items); });
     },
     true,
     false,
     {"draw points part; save picks point1 point2 location1 jogsCount jogs; told observers history; read "
      "names slots info info-jogs representation representation-jogs",
      "draw points part; save point1 point2 location1 location2 jogsCount jogs; told observers history; read "
      "slots info info-jogs representation representation-jogs",
      "draw part; save location1 location2 jogsCount jogs; told observers history; read slots info info-jogs "
      "representation representation-jogs"}},
    {"re-pick the first item",
     [](CenterLineStage& s) {
       CenterLineStage::Items items = s.Picked();
       items[0] = s.second ? s.Tower() : s.Rod();
       Recorded(s, [&] { s.Pick(items); });
     },
     true,
     false,
     {"draw points part; save picks point1 point2 location1 jogsCount jogs; told observers history; read "
      "names slots info info-jogs representation representation-jogs associated",
      "draw points part; save picks point1 point2 location1 jogsCount jogs; told observers history; read "
      "names slots info info-jogs representation representation-jogs associated",
      "draw part; save picks location1 jogsCount jogs; told observers history; read names slots info "
      "info-jogs representation representation-jogs associated"}},
    {"re-pick the second item",
     [](CenterLineStage& s) {
       CenterLineStage::Items items = s.Picked();
       items[1] = s.second ? s.Housing() : s.Point();
       Recorded(s, [&] { s.Pick(items); });
     },
     true,
     false,
     {"save picks location2 jogsCount jogs; told observers history; read slots info info-jogs "
      "representation-jogs"}},
    {"pick a coordinate system",
     [](CenterLineStage& s) { Recorded(s, [&] { SetCSys(s, CenterStyle::CSYS_PICKED, 4); }); },
     true,
     false,
     {"draw points; save picks csys jogsCount jogs; told observers history; read slots csys csys-item "
      "info-csys info-jogs routing representation-jogs",
      "draw points; save picks csys jogsCount jogs alongXYZ csysType; told observers history; read slots "
      "csys csys-item info-csys info-jogs routing representation-jogs"}},
    {"the host sets the second end",
     [](CenterLineStage& s) { Recorded(s, [&] { SetEnd(s, CenterLinesAnnotation::SECOND_END); }); },
     true,
     true,
     {"draw points state end-attached; save picks location2 anchorOffset lineExtent2; told set observers "
      "history; read slots info ends"},
     {"(131.116 39.799 20) (\nextensions 1.5 4.25 kind\nextensions 1.5 4.25 drag factor 0.5 offsets (0 0 0) "
      "(1 -2 3)",
      "(86 3 5) (\nextensions 3.5 4.25 kind\nextensions 3.5 4.25 drag factor 0.5 offsets (0 0 0) (1 -2 3)"}},
    {"the host routes the line along its first part",
     [](CenterLineStage& s) {
       Recorded(s, [&] {
         SetEnd(s, CenterLinesAnnotation::FIRST_END);
         SetCSys(s, CenterStyle::CSYS_PART, 6);
       });
     },
     true,
     true,
     {"draw points state; save picks csys jogsCount jogs endpointOffset lineExtent1 csysType; told set "
      "observers history; read slots csys csys-item info-csys info-jogs routing ends representation-jogs",
      "draw points state; save picks jogsCount jogs endpointOffset lineExtent1 alongXYZ csysType; told set "
      "observers history; read slots csys csys-item info-csys info-jogs routing ends representation-jogs"},
     {"(131.116 39.799 12.5) (131.232 39.866 12.5) (130.116 41.799 12.5)\nread csys: 1 id 6 at (130 40 5)\n"
      "extensions 4.25 2.5 drag factor 0.5 offsets (1 -2 3) (0 0 0)",
      "read csys: 1 id 6 at (80 0 0)\nalong axes yes\nextensions 4.25 0.5 drag factor 0.5 offsets (1 -2 3) "
      "(0 0 0)"}},
    {"the host routes the line along the world's axes and clears the picked system",
     [](CenterLineStage& s) {
       Recorded(s, [&] {
         SetCSys(s, CenterStyle::CSYS_WORLD, 9);
         s.line->ClearCSysSlot();
       });
     },
     true,
     false,
     {"draw points; save picks csys jogsCount jogs csysType; told observers history; read slots csys "
      "csys-item info-csys info-jogs routing representation-jogs",
      "draw points; save csys jogsCount jogs alongXYZ csysType; told observers history; read csys info-csys "
      "info-jogs routing representation-jogs"},
     {"read csys: 2 id 9",
      "(85 5 1) (85 5 1) (85 5 1)\nread routing: along axes yes order 2 210 csys 2 id 9"}},
    {"the host clears the second slot, then the first",
     [](CenterLineStage& s) {
       s.line->ClearSlot(1);
       s.line->ClearSlot(0);
     },
     false,
     false,
     {"draw holder points look hidden-stretches selected state part end-attached; save picks; told "
      "observers; read names slots associated",
      "draw holder points look hidden-stretches selected state part end-attached; save picks; told "
      "observers; read slots associated",
      // A loaded line without items saves the picks it was loaded with.
      "draw holder points look hidden-stretches selected state part end-attached; told observers; read "
      "slots associated"}},
    {"pick the first item and a coordinate system",
     [](CenterLineStage& s) { Recorded(s, [&] {
                                s.Pick({s.Picked()[0], s.Gauge()});
                              }); },
     true,
     false,
     {"save picks jogsCount jogs; told observers history; read slots info-jogs representation-jogs",
      "save picks location2 jogsCount jogs; told observers history; read slots info info-jogs "
      "representation-jogs"},
     {"read slots: 'MCAD_Instance' '-' 'MCAD_Datum3D'", "read slots: 'MCAD_Face3D' 'MCAD_Datum3D' '-'"}},
    {"pick an assembly as an object, a weld member, a feature and a construction curve",
     [](CenterLineStage& s) {
       CenterLineStage::Items items = s.Picked();
       items[0] = s.second ? s.Bore(tqk::mcad_selection::Feature3D) : s.Object("housing");
       items[1] = s.second ? s.Curve() : s.Node("frame/rib", tqk::mcad_selection::Instance);
       Recorded(s, [&] { s.Pick(items); });
     },
     true,
     false,
     {"draw part; save picks location1 location2 jogsCount jogs; told observers history; read names slots "
      "info info-jogs representation representation-jogs associated",
      "save picks location2 jogsCount jogs; told observers history; read slots info info-jogs "
      "representation-jogs"},
     {"draw part: 'housing'\nread slots: 'MCAD_Assembly' 'MCAD_Instance' 'MCAD_Datum3D' active 0 first "
      "'housing'",
      "read slots: 'MCAD_Feature3D' 'MCAD_Annotation' '-' active 0 first 'bored'"}},
    {"measure again",
     [](CenterLineStage& s) { s.Pick(s.Picked()); },
     false,
     false,
     {"save jogsCount jogs; told observers; read info-jogs representation-jogs"}},
    {"drag the first end",
     [](CenterLineStage& s) { Drag(s, false, dg::DVec3(2, 1, 0)); },
     true,
     false,
     {"draw points state end-attached; save endpointOffset dragFactor; told observers history; read ends",
      "draw points end-attached; save endpointOffset; told observers history; read ends"}},
    {"drag the second end",
     [](CenterLineStage& s) { Drag(s, true, dg::DVec3(-1, 3, 0)); },
     true,
     false,
     {"draw points state end-attached; save anchorOffset dragFactor; told observers history; read ends",
      "draw points end-attached; save anchorOffset; told observers history; read ends"}},
    {"restyle",
     [](CenterLineStage& s) {
       tqannotations::CenterStyle style = s.Style();
       style.strokeColor = dg::Color(0.25f, 0.05f, 0.7f, 1.0f);
       style.lineWidth = s.second ? 2.25f : 7.5f;
       style.lineStyle = s.second ? 1 : 7;
       style.arrowType = s.second ? 8 : 1;
       style.isHalo = s.second;
       style.allwaysInFront = !s.second;
       using S = tqannotations::CenterStyle;
       Recorded(s, [&] {
         s.line->SetLineStyle(style, S::STROKE_COLOR | S::LINE_WIDTH | S::LINE_STYLE | S::ARROW_TYPE |
                                         S::HALO | S::ALWAYS_IN_FRONT);
       });
     },
     true,
     true,
     {"draw look hidden-stretches end-attached; save allwaysInFront isHalo lineWidth lineStyle arrowType "
      "strokeColor; told set observers history; read style"}},
    {"restyle the halo alone",
     [](CenterLineStage& s) {
       CenterStyle style = s.Style();
       style.isHalo = s.second;
       Recorded(s, [&] { s.line->SetLineStyle(style, CenterStyle::HALO); });
     },
     true,
     true,
     {"draw look end-attached; save isHalo; told set observers history; read style"}},
    {"add a view after the parts moved",
     [](CenterLineStage& s) {
       s.builder.GetScene()->SetShapeInstanceLocation(FirstPart(s),
                                                      dg::Location(dg::DPoint3D(90, -10, 6), kUnturned, 1.0));
       s.builder.GetScene()->SetShapeInstanceLocation(s.builder.FindPart("housing/cover"),
                                                      dg::Location(dg::DPoint3D(45, 7, 1), kUnturned, 1.0));
       s.line->AddView(new tqk::ShapeView);
       CenterLineStage::Pump();
     },
     false,
     false,
     {"draw points; save point1 point2 location1 jogsCount jogs; told observers; identity; read info "
      "info-jogs representation-jogs",
      "draw points; save point1 point2 location1 location2 jogsCount jogs; told observers; identity; read "
      "info info-jogs representation-jogs",
      "save location1 location2 jogsCount jogs; told observers; identity; read info info-jogs "
      "representation-jogs"}},
    {"move the first part",
     [](CenterLineStage& s) {
       const du::SmartPtr<tqk::ShapeInstance> part = FirstPart(s);
       dg::Location moved = part->GetLocation();
       const dg::DPoint3D at = moved.GetPosition();
       moved.SetPos(dg::DPoint3D(at.x + 3, at.y - 2, at.z + 4));
       tqannotations::CenterLinesInfo was, is;
       s.line->GetCenterLinesInfo(was);
       s.builder.GetScene()->SetShapeInstanceLocation(part, moved);
       CenterLineStage::Pump();
       s.line->GetCenterLinesInfo(is); // a line that follows its part moves its end by as much
       EXPECT_EQ(is.point1.z - was.point1.z, s.second ? 0.0 : 4.0);
     },
     false,
     false,
     {"draw points; save point1 location1; told observers; read info", ""}},
    {"move the second item's part",
     [](CenterLineStage& s) {
       CenterLineStage::Items items = s.Picked();
       items[1] = s.second ? s.Housing() : s.Point();
       s.Pick(items);
       tqannotations::CenterLinesInfo was, is;
       s.line->GetCenterLinesInfo(was);
       s.builder.GetScene()->SetShapeInstanceLocation(s.builder.FindPart("housing/cover"),
                                                      dg::Location(dg::DPoint3D(40, 3, 0), kUnturned, 1.0));
       CenterLineStage::Pump();
       s.line->GetCenterLinesInfo(is);
       EXPECT_EQ(Text(is.point2),
                 Text(s.second ? was.point2 : dg::DPoint3D(was.point2.x, was.point2.y + 3, was.point2.z)));
     },
     false,
     false,
     {"draw points; save picks point2 location2 jogsCount jogs; told observers; read slots info info-jogs "
      "representation-jogs",
      "save picks location2 jogsCount jogs; told observers; read slots info info-jogs representation-jogs"}},
    {"hide the first part",
     [](CenterLineStage& s) {
       s.builder.GetScene()->SetVisibility({FirstPart(s)->GetInstance()}, false, true);
       CenterLineStage::Pump();
     },
     false,
     false,
     {"draw state; read kind; scene first-part", "scene first-part"}},
    {"remove the first part",
     [](CenterLineStage& s) {
       s.builder.GetScene()->RemoveShapeInstance(FirstPart(s));
       CenterLineStage::Pump();
     },
     false,
     false,
     {"draw holder points look hidden-stretches selected state part end-attached; told set observers; "
      "identity; read slots; scene first-part",
      "scene first-part"}},
    {"remove and re-create the first part",
     [](CenterLineStage& s) {
       const du::SmartPtr<tqk::ShapeInstance> part = FirstPart(s);
       s.builder.GetScene()->RemoveShapeInstance(part);
       CenterLineStage::Pump();
       s.builder.GetScene()->CreateShapeInstance(part->GetInstance(), part->GetShape(), part->GetLocation());
       CenterLineStage::Pump();
     },
     false,
     false,
     {"draw holder points look hidden-stretches selected state part end-attached; told set observers; "
      "identity; read slots",
      ""}},
    {"hide and show the line",
     [](CenterLineStage& s) {
       s.line->Hide(true);
       s.line->Show(true);
     },
     false,
     true,
     {"told set"}},
    {"show the line twice after its part was hidden",
     [](CenterLineStage& s) {
       for (int time = 0; time < 2; ++time) {
         s.builder.GetScene()->SetVisibility({FirstPart(s)->GetInstance()}, false, true);
         s.line->Hide(true);
         s.line->Show(true);
       }
     },
     false,
     true,
     {"told set", "told set; scene first-part"}},
    {"check the visibility after the part was hidden quietly",
     [](CenterLineStage& s) {
       s.builder.GetScene()->SetVisibility({FirstPart(s)->GetInstance()}, false, false);
       s.line->CheckVisibility();
     },
     false,
     false,
     {"draw state; read kind; scene first-part", "scene first-part"}},
    {"select",
     [](CenterLineStage& s) { s.line->OnSetSelected(true, s.builder.GetView()); },
     false,
     false,
     {"draw selected"}},
    {"select and deselect",
     [](CenterLineStage& s) {
       s.line->OnSetSelected(true, s.builder.GetView());
       s.line->OnSetSelected(false, s.builder.GetView());
     },
     false,
     false,
     {""}},
    {"detach",
     [](CenterLineStage& s) { s.line->DetachScene(); },
     false,
     false,
     {"draw holder points look hidden-stretches selected state part end-attached; told observers; read slots",
      "draw holder points look hidden-stretches selected state part end-attached; told observers"}},
    {"detach and attach again",
     [](CenterLineStage& s) {
       s.line->DetachScene();
       s.line->AttachScene(s.builder.GetScene());
       CenterLineStage::Pump();
     },
     false,
     false,
     {"told observers"}},
};

class CenterLinesCatalogueTest : public ::testing::TestWithParam<int>
{
};

TEST_P(CenterLinesCatalogueTest, EveryEditDrawsSavesUndoesAndCopiesAsTheUserExpects)
{
  for (const Entry& entry : kCatalogue) {
    SCOPED_TRACE(entry.name);
    CenterLineStage stage(GetParam());
    const std::string first = Only(stage.Take(), {"draw holder", "draw look", "draw hidden", "draw state",
                                                  "read csys", "read routing", "read ends",
                                                  "read info:", "read names", "told request", "scene"});
    EXPECT_EQ(first, kFirstLook[GetParam() > 0]);
    stage.log->events.clear();
    const std::string before = stage.Take();
    entry.action(stage);
    const std::string after = stage.Take();
    EXPECT_EQ(ChangedKeys(before, after), For(entry.changes, GetParam()));
    std::istringstream shown(For(entry.shows, GetParam()) ? For(entry.shows, GetParam()) : "");
    for (std::string text; std::getline(shown, text);)
      EXPECT_NE(after.find(text), std::string::npos) << text << "\n" << after;
    EXPECT_EQ(after.find("told history: undo 1") != std::string::npos, entry.undoable);
    EXPECT_EQ(after.find("document modified yes") != std::string::npos, entry.marksModified);

    if (entry.undoable) {
      // Undoing a new route keeps the jogs of the route undone for the next save.
      ASSERT_TRUE(History().Undo());
      EXPECT_EQ(Without(Shared(stage.Take()), {"save   jogs", "read info jogs", "read representation jogs"}),
                Without(Shared(before), {"save   jogs", "read info jogs", "read representation jogs"}))
          << "undo";
      ASSERT_TRUE(History().Redo());
      EXPECT_EQ(Shared(stage.Take()), Shared(after)) << "redo";
    }
    // A line without its first item draws nothing, and a document need not bring it back.
    if (!stage.line->GetAttachedScene() || !stage.line->GetObject(0))
      continue;

    std::string unshown;
    const du::SmartPtr<PagedLine> loaded = stage.Reopen(unshown);
    EXPECT_EQ(Reloaded(unshown), Reloaded(Saved(*stage.line))) << "saved again before it is shown";
    // Until the host finds its picks again and measures it, a loaded line answers and saves as the
    // line it was saved from, but draws nothing and has its coordinate system at the origin (a
    // line routed along its first part takes the part's again); then it draws as that line too.
    EXPECT_EQ(Without(Reloaded(Picture(*loaded, stage.builder.GetView())),
                      {"draw", "read csys:", "read info csys"}),
              Without(Reloaded(stage.Take()), {"draw", "read csys:", "read info csys"}))
        << "loaded";
    if (entry.undoable) { // after a scene change only a line that follows its parts is up to date
      stage.Pick(stage.Picked(), loaded);
      // A rotation comes back from a save within float precision only, which moves routed corners.
      EXPECT_EQ(Without(Reloaded(Picture(*loaded, stage.builder.GetView())), {"draw points"}),
                Without(Reloaded(stage.Take()), {"draw points"}))
          << "loaded, found";
    }
    loaded->DetachScene();

    const du::SmartPtr<PagedLine> copy(new PagedLine(*stage.line));
    const auto clone = du::SmartPtr<CenterLinesAnnotation>::DynamicCast(stage.line->Clone());
    ASSERT_TRUE(clone);
    EXPECT_EQ(Shared(Saved(*copy)), Shared(Saved(*stage.line))) << "copy, not yet shown";
    EXPECT_EQ(Reloaded(Saved(*clone)), Reloaded(Saved(*stage.line))) << "clone, not yet shown";
    for (const du::SmartPtr<CenterLinesAnnotation>& pasted :
         {du::SmartPtr<CenterLinesAnnotation>(copy), clone}) {
      stage.set->AddAnnotation(pasted);
      pasted->AttachScene(stage.builder.GetScene());
      CenterLineStage::Pump();
      // A clone is the library's own class: it draws on the host's page 0, and takes no jogs.
      const auto Own = [&](const std::string& picture) {
        return pasted == clone ? Without(Reloaded(picture), {"draw holder"}) : Shared(picture);
      };
      EXPECT_EQ(Own(Picture(*pasted, stage.builder.GetView())), Own(stage.Take()))
          << (pasted == clone ? "clone" : "copy") << " shown";
      // After an edit of the line itself, measuring the copy again draws it as the source; a copy
      // of a loaded line is a new line, which takes its ends from its picks again.
      if (entry.undoable && GetParam() != 2) {
        stage.Pick(stage.Picked(pasted), pasted);
        EXPECT_EQ(Without(Reloaded(Picture(*pasted, stage.builder.GetView())), {"draw holder"}),
                  Without(Reloaded(stage.Take()), {"draw holder"}))
            << (pasted == clone ? "clone" : "copy") << " measured again";
      }
      pasted->DetachScene();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EachFixture, CenterLinesCatalogueTest, ::testing::Values(0, 1, 2));

//! Generated lines of every kind and value keep their picture through save and load, copies, and a
//! random run of the catalogue's recorded edits undone and redone. TQ_SEED replays a seed.
TEST(CenterLinesGenerated, KeepTheirPictureThroughSaveLoadCopiesAndUndo)
{
  CenterLineStage stage(1);
  stage.set->RemoveAnnotationFromSet(stage.line, nullptr);
  stage.line->DetachScene();
  for (unsigned seed : tqtest::Seeds(300)) {
    SCOPED_TRACE("TQ_SEED=" + std::to_string(seed));
    tqtest::RandomDraw draw(seed);
    const du::SmartPtr<PagedLine> line = RandomCenterLine(stage, draw);
    tqk::SerializedContentElement document(du::Symbol("document"));
    line->Visit(document);
    const du::SmartPtr<CenterLinesAnnotation> loaded(new PagedLine(line->GetPageNum())),
        copy(new PagedLine(*line)), clone = du::SmartPtr<CenterLinesAnnotation>::DynamicCast(line->Clone());
    EXPECT_TRUE(loaded->InitializeFromSerializedContent(document.GetEntries().at(0).child.get()));
    // A clone is the library's own class, which draws on the host's page 0; a loaded line routed
    // along a turned coordinate system draws within float noise only.
    const std::initializer_list<const char*> same{}, cloned{"draw holder", "read kind"},
        reloaded{"draw points", "draw state"};
    const auto Kept = [&](const du::SmartPtr<CenterLinesAnnotation>& twin, const std::string& picture) {
      return Without(Shared(picture), twin == clone ? cloned : twin == loaded ? reloaded : same);
    };
    for (const du::SmartPtr<CenterLinesAnnotation>& twin : {loaded, copy, clone}) {
      EXPECT_EQ(Kept(twin, Saved(*twin)), Kept(twin, Saved(*line))) << "not yet shown";
      stage.set->AddAnnotation(twin);
      twin->AttachScene(stage.builder.GetScene());
      if (twin == loaded) // as the host finds its picks again
        stage.Pick(stage.Picked(), twin);
      CenterLineStage::Pump();
      EXPECT_EQ(Kept(twin, Picture(*twin, stage.builder.GetView())), Kept(twin, stage.Take()));
      stage.set->RemoveAnnotationFromSet(twin, nullptr);
      twin->DetachScene();
    }
    stage.log->events.clear();
    const std::string first = stage.Take();
    // The recorded edits that fit every line; others start from what only a fixture has.
    std::string edits =
        "|pick other items|re-pick the first item|re-pick the second item|pick a coordinate system"
        "|drag the first end|drag the second end|restyle|";
    for (unsigned count = draw.Below(5); count > 0; --count) {
      const Entry* entry = &kCatalogue[draw.Below(unsigned(std::size(kCatalogue)))];
      while (edits.find("|" + std::string(entry->name) + "|") == std::string::npos)
        entry = &kCatalogue[draw.Below(unsigned(std::size(kCatalogue)))];
      // Each at most once: a repeat may change nothing, and leave a step without a name.
      edits.erase(edits.find("|" + std::string(entry->name) + "|"), std::strlen(entry->name) + 1);
      entry->action(stage);
    }
    const std::string last = stage.Take();
    while (History().Undo()) {
    }
    EXPECT_EQ(Shared(stage.Take()), Shared(first)) << "undone";
    while (History().Redo()) {
    }
    // The drawing takes a dragged route back from the style within float noise only.
    EXPECT_EQ(Without(Shared(stage.Take()), {"draw points", "draw state"}),
              Without(Shared(last), {"draw points", "draw state"}))
        << "redone";
    History().Clear();
    stage.set->RemoveAnnotationFromSet(line, nullptr);
    line->DetachScene();
    if (::testing::Test::HasFailure())
      break;
  }
}

} // namespace
} // namespace centerline_tests
