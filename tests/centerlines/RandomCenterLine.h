#pragma once

// Center lines drawn from a seed on the stage's parts, each value from its whole range.

#include "RandomDraw.h"
#include "common/ValueOperators.h"
#include "tests/centerlines/CenterLineFixtures.h"

#include <tqannotations/ConstructionCurve.h>

namespace centerline_tests {

//! An item of every kind a line may pick: a part or a weld member of the structure tree, a part
//! picked as an object, any face, feature, edge, datum or point of a part; and but for the first,
//! which stands on a part, a part or assembly picked as one, or a construction curve.
inline du::SmartPtr<tqk::SelectionItem> RandomItem(CenterLineStage& stage, tqtest::RandomDraw& draw,
                                                   bool first)
{
  namespace mcad = tqk::mcad_selection;
  const unsigned kind = draw.Below(first ? 6 : 8);
  const char* name = kind == 5 ? draw.Of({"gauge", "marked"})
                     : kind == 3
                         ? draw.Of({"rod", "bored", "tower"})
                         : draw.Of({"tower", "bored", "gauge", "marked", "frame/rib", "housing/cover"});
  const du::SmartPtr<tqk::ShapeInstance> part = stage.builder.FindPart(name);
  const tqg::Shape& shape = *part->GetShape()->GetShapeData();
  du::SmartPtr<tqk::Object> object = part->GetInstance();
  du::SmartPtr<tqk::SelectionItem> item;
  switch (kind) {
  case 0: return stage.Node(draw.Of({"tower", "frame/plate", "housing/bolt"}), mcad::Instance);
  case 2:
    return stage.Geometry(name, shape.GetFaces()[draw.Below(unsigned(shape.GetFaces().size()))],
                          draw.Of({mcad::Face3D, mcad::Feature3D}));
  case 3:
    return stage.Geometry(name, shape.GetEdges()[draw.Below(unsigned(shape.GetEdges().size()))],
                          mcad::Edge3D);
  case 4:
    item = stage.Geometry(name, nullptr, mcad::Point3D);
    du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(item)->SetPickPoint(
        part->GetLocation().GetPosition() + dg::DVec3(draw.Step(0, 0.5f, 8), draw.Step(0, 0.5f, 8), 1));
    return item;
  case 5: return stage.Geometry(name, shape.GetDatums()[0], mcad::Datum3D);
  case 6:
    if (draw.OneIn(2))
      return stage.Node(draw.Of({"frame/rib", "housing/cover"}), draw.Of({mcad::Assembly, mcad::Collection}));
    object = stage.builder.GetTree()->FindInstance(du::Symbol(draw.Of({"housing", "frame"})));
    break;
  case 7:
    object = new tqannotations::ConstructionCurve(
        du::Symbol("curve"),
        {new tqg::Edge("c", {dg::DPoint3D(1, 2, 3), dg::DPoint3D(4, draw.Step(5, 1, 9), 6)})});
  }
  item = new tqk::ObjectSelectionItem(object);
  item->SetContentType(kind == 7 ? mcad::Annotation : draw.Of({mcad::Instance, mcad::Assembly}));
  return item;
}

//! A line on any page, in the stage's scene and set, between items of any kind, straight or along
//! the axes of a coordinate system of every type (a picked one turned by any angle), its style
//! drawn whole, its ends dragged off their items.
inline du::SmartPtr<PagedLine> RandomCenterLine(CenterLineStage& stage, tqtest::RandomDraw& draw)
{
  using Style = tqannotations::CenterStyle;
  const du::SmartPtr<PagedLine> line(new PagedLine(int(draw.Below(20))));
  line->SetId(1 + draw.Below(1000));
  stage.set->AddAnnotation(line);
  line->AttachScene(stage.builder.GetScene());
  line->RegisterObserver(stage.log);
  const auto type = Style::CSYS_TYPE(draw.Below(4));
  Style style;
  style.strokeColor = draw.Colour(draw.Step(0.25f, 0.25f, 4));
  style.lineWidth = draw.Step(0.25f, 0.25f, 40);
  style.lineStyle = int(draw.Below(8));
  style.arrowType = int(draw.Below(9));
  style.isHalo = draw.OneIn(2);
  style.allwaysInFront = draw.OneIn(2);
  style.attached = draw.OneIn(2);
  style.alongXYZ = type != Style::CSYS_NONE || draw.OneIn(2);
  style.xyzFlag = std::uint16_t(1 + draw.Below(6));
  style.lineExtent1 = draw.Step(0, 0.25f, 20);
  style.lineExtent2 = draw.Step(0, 0.25f, 20);
  const du::SmartPtr<tqk::SelectionItem> csys = draw.OneIn(2) ? stage.Gauge() : stage.TopOfBored();
  if (type != Style::CSYS_NONE)
    line->SetCSys(Style::CSYS_ID_NONE, type,
                  CenterLineStage::Placement(dg::DPoint3D::ORIGIN, draw.Step(-180, 7.5f, 48)),
                  type == Style::CSYS_PICKED ? csys : nullptr);
  line->SetLineStyle(style, 0xFFFF & ~Style::CSYS);
  CenterLineStage::Items items{RandomItem(stage, draw, true)};
  if (type != Style::CSYS_PICKED || draw.OneIn(2))
    items.push_back(RandomItem(stage, draw, false));
  if (type == Style::CSYS_PICKED)
    items.push_back(csys);
  stage.line = line;
  stage.Pick(items);
  tqannotations::CenterLinesInfo info;
  line->GetCenterLinesInfo(info);
  for (int end = 0; end < 2; ++end)
    if (auto item = du::SmartPtr<tqk::SelectionItem>::DynamicCast(line->GetObject(unsigned(end))))
      line->SetPoint((end ? info.point2 : info.point1) +
                         dg::DVec3(draw.Step(-2, 0.5f, 9), draw.Step(-2, 0.5f, 9), 0),
                     draw.Step(0, 0.25f, 20), item, tqannotations::CenterLinesAnnotation::AttachedPoint(end));
  CenterLineStage::Pump();
  stage.second = draw.OneIn(2); // the catalogue's edits pick the items of either fixture
  return line;
}

} // namespace centerline_tests
