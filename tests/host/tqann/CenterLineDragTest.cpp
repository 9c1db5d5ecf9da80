#include <tqannotations/MarkupDrag.h>
#include <tqk/Instance.h>
#include <tqk/MarkupController.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/Operation.h>
#include <tqk/UndoHistory.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/mcad_selection.h>
#include <tqmk/CenterLineXYZ.h>
#include <tqmk/CenterLineXYZShadow.h>

#include <gtest/gtest.h>

namespace {

using tqmk::CenterLineXYZ;
using tqmk::CenterLineXYZShadow;

//! Checks, as it hears the drag, what the line and the shadow hold at that moment.
class LineOwner : public tqk::MarkupController
{
public:
  int heard = 0;
  std::vector<dg::DPoint3D> linePointsWhenHeard;
  du::SmartPtr<tqk::SelectionItem> startItem, endItem;

  bool MarkupUpdated(const du::SmartPtr<tqk::Markup>& changed, const du::SmartPtr<tqk::Markup>& shadow,
                     const du::SmartPtr<tqk::Operation>&) override
  {
    ++heard;
    linePointsWhenHeard = du::SmartPtr<CenterLineXYZ>::DynamicCast(changed)->GetPoints();
    const auto lineShadow = du::SmartPtr<CenterLineXYZShadow>::DynamicCast(shadow);
    startItem = lineShadow->GetStartPointItem();
    endItem = lineShadow->GetEndPointItem();
    return true;
  }
};

TEST(CenterLineDrag, DroppedEndTakesThePartUnderItTheLineMovesFirstAndNothingIsRecorded)
{
  tqk::illustration::IllustrationBuilder builder;
  builder.BuildSample(); // parts under the pixels (5, 5), (25, 5), (45, 5) and (65, 5)
  du::SmartPtr<CenterLineXYZ> line(new CenterLineXYZ);
  std::vector<dg::DPoint3D> points;
  const std::uint16_t xyz[3] = {0, 1, 2};
  CenterLineXYZ::BuildPoints(dg::DPoint3D(5, 5, 2), dg::DPoint3D(25, 5, 2), false, 1.0f, 1.0f, 0.5f,
                             dg::Location::IDENTITY, xyz, points);
  line->SetPoints(points);
  LineOwner owner;
  const std::size_t recordedBefore = tqk::World::GetWorld()->GetUndoHistory().GetUndoCount();

  tqannotations::MarkupDrag drag(line, builder.GetView(), &owner);
  ASSERT_TRUE(drag.StartAt(24, 6)) << "near the second end, point 2";
  const auto shadow = du::SmartPtr<CenterLineXYZShadow>::DynamicCast(drag.GetShadow());
  ASSERT_TRUE(shadow);
  EXPECT_EQ(shadow->GetDraggedPoint(), 2);
  drag.Step(dg::DVec3(20, 0, 0));
  drag.Stop(45, 5, new tqk::Operation("drag", nullptr, true));

  ASSERT_EQ(owner.heard, 1);
  EXPECT_EQ(owner.linePointsWhenHeard[2].x, 45.0) << "the line had taken the drag before";
  EXPECT_EQ(owner.linePointsWhenHeard[3].x, 46.0) << "the extension came along";
  EXPECT_FALSE(owner.startItem) << "the first end was not dropped";
  const auto dropped = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(owner.endItem);
  ASSERT_TRUE(dropped);
  EXPECT_EQ(dropped->GetObject(), builder.FindPart("housing/cover")->GetInstance());
  EXPECT_EQ(dropped->GetContentType(), tqk::mcad_selection::Instance);
  EXPECT_EQ(tqk::World::GetWorld()->GetUndoHistory().GetUndoCount(), recordedBefore)
      << "a center line records its own edits";
}

TEST(CenterLineDrag, ADropOnNothingLeavesTheEndWithoutAnItemButMovesTheLine)
{
  tqk::illustration::IllustrationBuilder builder;
  builder.BuildSample();
  du::SmartPtr<CenterLineXYZ> line(new CenterLineXYZ);
  line->SetPoints(
      {dg::DPoint3D(4, 5, 2), dg::DPoint3D(5, 5, 2), dg::DPoint3D(25, 5, 2), dg::DPoint3D(26, 5, 2)});
  LineOwner owner;
  {
    tqannotations::MarkupDrag drag(line, builder.GetView(), &owner);
    ASSERT_TRUE(drag.StartAt(5, 5));
    drag.Step(dg::DVec3(0, 100, 0));
    drag.Stop(5, 105, nullptr);
  }
  EXPECT_EQ(owner.heard, 1);
  EXPECT_FALSE(owner.startItem) << "nothing lies under (5, 105)";
  EXPECT_EQ(line->GetPoints()[1].y, 105.0);
}

} // namespace
