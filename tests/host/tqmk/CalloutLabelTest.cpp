#include <tqk/MarkupController.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>
#include <tqmk/CalloutLabel.h>
#include <tqmk/CalloutLabelShadow.h>

#include <gtest/gtest.h>

namespace {

struct UpdateCounter : tqk::MarkupController
{
  bool MarkupUpdated(const du::SmartPtr<tqk::Markup>& changed, const du::SmartPtr<tqk::Markup>& shadow,
                     const du::SmartPtr<tqk::Operation>&) override
  {
    lastChanged = changed;
    lastShadow = shadow;
    ++updates;
    return true;
  }
  du::SmartPtr<tqk::Markup> lastChanged, lastShadow;
  int updates = 0;
};

TEST(CalloutLabel, HoldsItsSceneOnlyWhileTheSceneHoldsIt)
{
  du::SmartPtr<tqk::ShapeScene> scene(new tqk::ShapeScene);
  du::SmartPtr<tqmk::CalloutLabel> label(new tqmk::CalloutLabel);
  label->SetScene(scene);
  scene->AddMarkup(label);
  EXPECT_EQ(label->GetScene(), du::SmartPtr<tqk::Scene>(scene));
  scene->RemoveMarkup(label);
  EXPECT_FALSE(label->GetScene());
  label->SetScene(scene);
  scene->AddMarkup(label);
  scene->Close();
  EXPECT_FALSE(label->GetScene());
}

TEST(CalloutLabelShadow, FollowsTheDragFromTheLabelAndGoesBackOnRequest)
{
  du::SmartPtr<tqk::View> view(new tqk::ShapeView);
  du::SmartPtr<tqmk::CalloutLabel> label(new tqmk::CalloutLabel);
  label->SetPos(dg::DPoint3D(10, 10, 0));
  ASSERT_TRUE(label->BeginShadowDrag(view));
  const auto shadow = du::SmartPtr<tqmk::CalloutLabelShadow>::DynamicCast(label->GetShadow());
  ASSERT_TRUE(shadow);
  EXPECT_EQ(shadow->GetMarkup(), du::SmartPtr<tqk::Markup>(label));
  EXPECT_EQ(shadow->GetPos().x, 10.0);
  shadow->SetDragOffset(dg::DVec3(5, -2, 0));
  shadow->HandleDragStep();
  shadow->SetDragOffset(dg::DVec3(7, -2, 0)); // offsets run from the start, not from the last step
  shadow->HandleDragStep();
  EXPECT_EQ(shadow->GetPos().x, 17.0);
  EXPECT_EQ(shadow->GetPos().y, 8.0);
  EXPECT_EQ(label->GetPos().x, 10.0);
  shadow->MoveToLabel();
  EXPECT_EQ(shadow->GetPos().x, 10.0);
  label->EndShadowDrag();
  EXPECT_FALSE(label->GetShadow());
}

TEST(CalloutLabelShadow, StopMovesTheShadowAndReportsToTheLabelsController)
{
  UpdateCounter controller;
  du::SmartPtr<tqmk::CalloutLabel> label(new tqmk::CalloutLabel);
  label->SetController(&controller);
  const auto shadow = du::SmartPtr<tqmk::MarkupShadow>::DynamicCast(
      du::SmartPtr<tqk::Markup>(label->ConstructShadow(du::SmartPtr<tqk::View>(new tqk::View))));
  shadow->Stop(dg::DVec3(1, 2, 3), nullptr);
  EXPECT_EQ(controller.updates, 1);
  EXPECT_EQ(controller.lastChanged, du::SmartPtr<tqk::Markup>(label));
  EXPECT_EQ(controller.lastShadow, du::SmartPtr<tqk::Markup>(shadow));
  EXPECT_EQ(du::SmartPtr<tqmk::CalloutLabelShadow>::DynamicCast(shadow)->GetPos().z, 3.0);
  label->SetController(nullptr);
}

TEST(CalloutLabel, LabelsAndShadowsLeaveNoPoolObjectBehind)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::MARKUPS);
  {
    du::SmartPtr<tqmk::CalloutLabel> label(new tqmk::CalloutLabel);
    label->BeginShadowDrag(du::SmartPtr<tqk::View>(new tqk::View));
    label->EndShadowDrag();
  }
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::MARKUPS), before);
}

TEST(CalloutLabel, ClosingTheSceneInTheMiddleOfADragLeavesNoPoolObjectBehind)
{
  // The label keeps the shadow of its drag and the shadow its label: the scene that takes the
  // label out must end the drag, or neither would ever go.
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::MARKUPS);
  {
    du::SmartPtr<tqk::ShapeScene> scene(new tqk::ShapeScene);
    du::SmartPtr<tqk::View> view(new tqk::ShapeView);
    scene->AddView(view);
    du::SmartPtr<tqmk::CalloutLabel> label(new tqmk::CalloutLabel);
    label->SetScene(scene);
    scene->AddMarkup(label);
    ASSERT_TRUE(label->BeginShadowDrag(view));
    scene->Close();
    EXPECT_FALSE(label->GetShadow());

    du::SmartPtr<tqmk::CalloutLabel> removed(new tqmk::CalloutLabel);
    scene->AddMarkup(removed);
    ASSERT_TRUE(removed->BeginShadowDrag(view));
    ASSERT_TRUE(scene->RemoveMarkup(removed));
    EXPECT_FALSE(removed->GetShadow());
  }
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::MARKUPS), before);
}

} // namespace
