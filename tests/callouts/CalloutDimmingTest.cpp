#include "callouts/CalloutTestSupport.h"

#include <tqmu/ModelNote.h>

#include <gtest/gtest.h>

namespace {

using namespace callout_test;

const dg::Color kWhite(1, 1, 1, 1);

//! A shown callout with leaders on parts "a", "b", ... and a red line.
struct DimmedCallout : ::testing::Test
{
  void Show(int count)
  {
    callout = new TestCallout;
    callout->_Initialize(Template());
    for (int index = 0; index < count; ++index)
      leaders.push_back(callout->AddLeader(world.AddPart(std::string(1, char('a' + index)))));
    callout->SetLineColor(dg::Color(1, 0, 0, 1));
    callout->SetFontColor(dg::Color(0, 0, 0, 1));
    callout->SetBackgroundColor(dg::Color(0, 0, 1, 1));
    callout->AttachScene(world.scene);
    label = LabelIn(*world.scene);
    ASSERT_TRUE(label);
  }
  void TearDown() override
  {
    if (callout)
      callout->DetachScene();
  }
  bool LabelDim() const { return label->GetNote()->GetRenderAttrsVector().dim == 1; }

  SceneWithView world;
  du::SmartPtr<TestCallout> callout;
  std::vector<du::SmartPtr<CalloutLeader>> leaders;
  du::SmartPtr<tqmk::CalloutLabel> label;
};

TEST_F(DimmedCallout, WithOneLeaderTheLabelDimsAtOnce)
{
  Show(1);
  callout->SetDimAtPos(true, 0, kWhite);
  EXPECT_TRUE(LabelDim());
  EXPECT_EQ(label->GetFillColor(), dg::Color(0.75f, 0.75f, 1, 0.5f));
  EXPECT_EQ(label->GetTextColor(), dg::Color(0.75f, 0.75f, 0.75f, 1));
  callout->SetFontColor(dg::Color(1, 0, 0, 1));
  EXPECT_EQ(label->GetTextColor(), dg::Color(1, 0.75f, 0.75f, 1)) << "a new colour stays dimmed";
  callout->SetDimAtPos(false, 0, kWhite);
  EXPECT_FALSE(LabelDim());
  EXPECT_EQ(label->GetFillColor(), dg::Color(0, 0, 1, 1));
  EXPECT_EQ(label->GetTextColor(), dg::Color(1, 0, 0, 1));
}

TEST_F(DimmedCallout, ColoursFromAChangedTemplateStayDimmed)
{
  Show(1);
  callout->SetDimAtPos(true, 0, kWhite);
  du::SmartPtr<TAnnotation> changed = Template();
  changed->label->text.color = 0xFF0000;
  changed->label->fillColor = 0x00FF00;
  LineOf(changed).color = 0x0000FF;
  callout->UpdateDefinition(changed);
  EXPECT_EQ(label->GetTextColor(), dg::Color(1, 0.75f, 0.75f, 1));
  EXPECT_EQ(label->GetFillColor(), dg::Color(0.75f, 1, 0.75f, 0.5f));
  EXPECT_EQ(leaders[0]->GetLineColor(), dg::Color(0.75f, 0.75f, 1, 0.3f));
  EXPECT_EQ(callout->GetFontColor(), dg::Color(1, 0, 0, 1)) << "the callout keeps the colour itself";
}

TEST_F(DimmedCallout, WithTwoLeadersTheLabelDimsOnlyWhenBothAre)
{
  Show(2);
  callout->SetDimAtPos(true, 0, kWhite);
  EXPECT_TRUE(callout->IsDimAtPos(0));
  EXPECT_FALSE(callout->IsDimAtPos(1));
  EXPECT_FALSE(LabelDim());
  callout->SetDimAtPos(true, 1, kWhite);
  EXPECT_TRUE(LabelDim());
  callout->SetDimAtPos(false, 0, kWhite);
  EXPECT_FALSE(callout->IsDimAtPos(0));
  EXPECT_FALSE(LabelDim()) << "undimming any leader undims the label";
}

TEST_F(DimmedCallout, HiddenAndDetachedLeadersAreIgnored)
{
  Show(3);
  callout->DetachScene();
  leaders[1]->SetHidden(true);
  world.scene->SetVisibility({leaders[2]->GetShapeInstance()->GetInstance()}, false, false);
  callout->AttachScene(world.scene);
  ASSERT_TRUE(leaders[1]->IsDetached());
  ASSERT_TRUE(leaders[2]->IsDetached()) << "its part is not visible";
  ASSERT_FALSE(leaders[0]->IsDetached());
  callout->SetDimAtPos(true, 0, kWhite);
  EXPECT_TRUE(LabelDim());
}

TEST_F(DimmedCallout, AnIndexPastTheLeadersChangesOnlyBlendAndLabel)
{
  Show(2);
  EXPECT_FALSE(callout->IsDimAtPos(2));
  callout->SetDimAtPos(true, 5, dg::Color(0, 0, 0, 1));
  EXPECT_FALSE(callout->IsDimAtPos(0));
  EXPECT_FALSE(LabelDim()) << "shown leaders are not dim";
  callout->SetDimAtPos(true, 0, dg::Color(0, 0, 0, 1));
  EXPECT_EQ(leaders[0]->GetLineColor(), dg::Color(0.25f, 0, 0, 0.3f)) << "blended towards black";
}

TEST_F(DimmedCallout, HiddenAsDashedReachesOneLeader)
{
  Show(2);
  callout->SetHiddenAsDashedAtPos(true, 1);
  EXPECT_FALSE(leaders[1]->AreHiddenLinesShownAsDashed());
  EXPECT_TRUE(leaders[0]->AreHiddenLinesShownAsDashed());
  callout->SetHiddenAsDashedAtPos(false, 1);
  EXPECT_TRUE(leaders[1]->AreHiddenLinesShownAsDashed());
  callout->SetHiddenAsDashedAtPos(true, 9);
}

} // namespace
