#include "callouts/CalloutTestSupport.h"
#include "common/ValueOperators.h"

#include <tqk/AnnoSet.h>
#include <tqmu/ModelNote.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using namespace callout_test;

//! A callout of the template with one leader on a part of a shape scene, shown in it.
struct ShownCallout
{
  explicit ShownCallout(const du::SmartPtr<TAnnotation>& definition, int leaders = 1)
      : callout(new TestCallout)
  {
    callout->_Initialize(definition);
    for (int index = 0; index < leaders; ++index)
      callout->AddLeader(world.AddPart("part" + std::to_string(index)));
    callout->AttachScene(world.scene);
  }
  ~ShownCallout() { callout->DetachScene(); }

  du::SmartPtr<CalloutLeader> Leader(unsigned index) const
  {
    return du::SmartPtr<CalloutLeader>::DynamicCast(world.scene->GetMarkups().at(index));
  }
  du::SmartPtr<tqmk::CalloutLabel> Label() const { return LabelIn(*world.scene); }

  SceneWithView world;
  du::SmartPtr<TestCallout> callout;
};

TEST(CalloutDefinitionUnits, SizesInLengthUnitsBecomePoints)
{
  du::SmartPtr<TAnnotation> definition = Template();
  definition->label->text.size = 10.0f;
  definition->label->text.sizeUnit = 0;
  LineOf(definition).weight = 0.5f;
  LineOf(definition).weightUnit = 0;
  du::SmartPtr<TestCallout> callout(new TestCallout);
  callout->_Initialize(definition);
  EXPECT_NEAR(callout->GetFontSize(), 28.3465f, 1e-3);
  EXPECT_NEAR(callout->GetLineWidth(), 1.41732f, 1e-4);

  definition->label->text.sizeUnit = 3;
  LineOf(definition).weightUnit = 3;
  LineOf(definition).weight = 2.0f;
  callout->_Initialize(definition);
  EXPECT_FLOAT_EQ(callout->GetFontSize(), 10.0f) << "pixels are taken as they stand";
  EXPECT_FLOAT_EQ(callout->GetLineWidth(), 2.0f);
}

TEST(CalloutShapes, TheLabelDrawsUnknownShapesAsCircles)
{
  du::SmartPtr<TAnnotation> definition = Template();
  definition->label->shape = 7;
  ShownCallout shown(definition);
  EXPECT_EQ(shown.callout->GetShape(), 7);
  EXPECT_EQ(shown.Label()->GetShape(), tqmu::ModelNote::CIRCLE);
  shown.callout->SetShape(tqmu::ModelNote::NO_SHAPE);
  EXPECT_EQ(shown.Label()->GetShape(), tqmu::ModelNote::NO_SHAPE);
  shown.callout->SetShape(tqmu::ModelNote::Shape(-3));
  EXPECT_EQ(shown.callout->GetShape(), -3);
  EXPECT_EQ(shown.Label()->GetShape(), tqmu::ModelNote::CIRCLE);
}

TEST(CalloutLookSetters, SetTextShowsABlankForEmptyTextAndTellsTheAnnotationSet)
{
  ShownCallout shown(Template());
  du::SmartPtr<tqk::AnnoSet> annoSet(new tqk::AnnoSet);
  shown.world.scene->SetAnnoSet(annoSet);
  const std::size_t before = annoSet->GetModificationCount();
  shown.callout->SetText(du::Symbol("Valve"));
  EXPECT_EQ(shown.Label()->GetText(), "Valve");
  EXPECT_EQ(annoSet->GetModificationCount(), before + 1);
  shown.callout->SetText(du::Symbol());
  EXPECT_EQ(shown.callout->GetText(), " ");
  EXPECT_EQ(shown.Label()->GetText(), " ");
}

TEST(CalloutLookSetters, ACalloutWithoutLabelStoresTheValues)
{
  du::SmartPtr<Callout> callout(new Callout);
  callout->SetFontSize(20.0f);
  callout->SetFontColor(dg::Color(1, 0, 0, 1));
  callout->SetBackgroundColor(dg::Color(0, 1, 0, 1));
  callout->SetText(du::Symbol("no label yet"));
  callout->SetDimAtPos(true, 0, dg::Color(1, 1, 1, 1));
  EXPECT_FLOAT_EQ(callout->GetFontSize(), 20.0f);
  EXPECT_EQ(callout->GetFontColor(), dg::Color(1, 0, 0, 1));
  EXPECT_EQ(callout->GetBackgroundColor(), dg::Color(0, 1, 0, 1));
  EXPECT_EQ(callout->GetText(), "no label yet");
}

TEST(CalloutUpdateDefinition, KeepsWhatTheUserSetWhereTheTemplateDidNotChangeIt)
{
  du::SmartPtr<TAnnotation> definition = Template();
  definition->label->text.color = 0x000000;
  ShownCallout shown(definition);
  shown.callout->SetFontColor(dg::Color(0, 1, 0, 1));
  shown.callout->SetArrowStyle(0);

  du::SmartPtr<TAnnotation> changed = Template();
  changed->label->fillColor = 0xFF0000;
  shown.callout->UpdateDefinition(changed);
  EXPECT_EQ(shown.callout->GetFontColor(), dg::Color(0, 1, 0, 1)) << "same template text colour";
  EXPECT_EQ(shown.callout->GetArrowStyle(), 0) << "same template arrow style";
  EXPECT_EQ(shown.callout->GetBackgroundColor(), dg::Color(1, 0, 0, 1));
  EXPECT_EQ(shown.Label()->GetFillColor(), dg::Color(1, 0, 0, 1));

  du::SmartPtr<TAnnotation> recoloured = Template();
  recoloured->label->fillColor = 0xFF0000;
  recoloured->label->text.color = 0x0000FF;
  LineOf(recoloured).arrowStyle = 1;
  shown.callout->UpdateDefinition(recoloured);
  EXPECT_EQ(shown.callout->GetFontColor(), dg::Color(0, 0, 1, 1)) << "the template's colour changed";
  EXPECT_EQ(shown.Label()->GetTextColor(), dg::Color(0, 0, 1, 1));
  EXPECT_EQ(shown.Leader(0)->GetArrowStyle(), 1);
  EXPECT_TRUE(shown.callout->GetDefinition() != recoloured) << "the callout keeps its own copy";
}

TEST(CalloutUpdateDefinition, ComparesFontSizeAndLineWidthWithTheCalloutsOwn)
{
  ShownCallout shown(Template());
  shown.callout->SetFontSize(30.0f);
  shown.callout->SetLineWidth(4.0f);
  shown.callout->UpdateDefinition(Template());
  EXPECT_FLOAT_EQ(shown.callout->GetFontSize(), 10.0f);
  EXPECT_FLOAT_EQ(shown.Label()->GetFontSize(), 10.0f);
  EXPECT_FLOAT_EQ(shown.callout->GetLineWidth(), 1.0f);
  EXPECT_EQ(shown.Leader(0)->GetLineWidth(), 1);

  shown.Label()->SetFontSize(99.0f); // a label call would undo this
  shown.callout->UpdateDefinition(Template());
  EXPECT_FLOAT_EQ(shown.Label()->GetFontSize(), 99.0f) << "an unchanged size makes no label call";
}

TEST(CalloutUpdateDefinition, KeepsTextPositionLeadersAndKind)
{
  ShownCallout shown(Template(), 2);
  shown.callout->SetText(du::Symbol("kept"));
  shown.callout->UpdateDefinition(Template(false));
  EXPECT_EQ(shown.callout->GetType(), Callout::CALLOUT_LEADERS);
  EXPECT_EQ(shown.callout->GetLeaderLineCount(false), 2u);
  EXPECT_EQ(shown.callout->GetText(), "kept");
}

TEST(CalloutUpdateDefinition, ACalloutWithoutLabelShowsTheTemplatesLabel)
{
  SceneWithView world;
  du::SmartPtr<TestCallout> callout(new TestCallout);
  du::SmartPtr<TAnnotation> definition = Template();
  definition->label->text.color = 0xFF0000;
  definition->label->shape = tqmu::ModelNote::HEXAGON;
  callout->UpdateDefinition(definition);
  callout->AddLeader(world.AddPart("p"));
  callout->AttachScene(world.scene);
  const du::SmartPtr<tqmk::CalloutLabel> label = LabelIn(*world.scene);
  ASSERT_TRUE(label) << "the template made the label";
  EXPECT_EQ(label->GetTextColor(), dg::Color(1, 0, 0, 1));
  EXPECT_EQ(label->GetShape(), tqmu::ModelNote::HEXAGON);
  callout->DetachScene();
}

TEST(CalloutInitializeDefinition, ReplacesLeadersRecordsAndPosition)
{
  ShownCallout shown(Template(), 3);
  shown.callout->_Initialize(Template(false));
  EXPECT_EQ(shown.callout->GetType(), Callout::CALLOUT_NOTE);
  EXPECT_EQ(shown.callout->GetLeaderLineCount(false), 0u);
  EXPECT_EQ(shown.callout->GetLeaderLineCount(true), 0u);
  EXPECT_FALSE(shown.callout->GetPosition() != dg::DPoint3D::ORIGIN);
}

} // namespace
