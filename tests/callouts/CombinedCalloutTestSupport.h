#pragma once

// A sample illustration with an annotation set, and member callouts to combine, for the
// combined callout tests.

#include "callouts/CalloutTestSupport.h"

#include <tqannotations/CombinedCallout.h>
#include <tqk/AnnoSet.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/illustration/IllustrationBuilder.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace callout_test {

//! The sample illustration ("frame/plate", "frame/rib", "housing/cover", "housing/bolt", boxes
//! 20 apart along x) in a scene with an annotation set.
struct CombinedCalloutIllustration : ::testing::Test
{
  void SetUp() override
  {
    liveBefore = tqk::MemoryPoolAllocated::GetLiveCount();
    illustration.BuildSample();
    scene = illustration.GetScene();
    scene->SetAnnoSet(new tqk::AnnoSet);
  }
  void TearDown() override
  {
    illustration.TearDown();
    if (scene)
      scene->SetAnnoSet(nullptr);
  }

  //! A callout with one leader on the part, its label 30 above the anchor, with the item id.
  du::SmartPtr<Callout> Placed(const std::string& part, unsigned itemId)
  {
    du::SmartPtr<Callout> callout(new Callout);
    callout->Initialize(Template(), illustration.FindPart(part), false, nullptr);
    callout->SetLabelPosition(dg::DPoint3D(5, 35, 1));
    callout->SetItemId(itemId);
    return callout;
  }

  //! A note with a look of its own: a hexagon, red text on blue, 14 pixels.
  du::SmartPtr<Callout> Note()
  {
    const du::SmartPtr<TAnnotation> definition = Template(false);
    definition->id = "note";
    definition->label->shape = 3;
    definition->label->fillColor = 0x0000FF;
    definition->label->text.color = 0xFF0000;
    definition->label->text.size = 14;
    du::SmartPtr<Callout> note(new Callout);
    note->InitializeAsNote(definition);
    return note;
  }

  //! A combined callout shown in the scene, built from the members.
  du::SmartPtr<CombinedCallout> Shown(CombinedCallout::Members members)
  {
    du::SmartPtr<CombinedCallout> combined(new CombinedCallout);
    combined->Initialize(members);
    scene->GetAnnoSet()->AddAnnotation(combined);
    combined->AttachScene(scene);
    return combined;
  }

  std::size_t liveBefore = 0;
  tqk::illustration::IllustrationBuilder illustration;
  du::SmartPtr<tqk::illustration::Illustration3dScene> scene;
};

//! The leader markups shown in the scene.
inline std::vector<du::SmartPtr<CalloutLeader>> LeadersIn(const tqk::Scene& scene)
{
  std::vector<du::SmartPtr<CalloutLeader>> leaders;
  for (const du::SmartPtr<tqk::Markup>& markup : scene.GetMarkups())
    if (const auto leader = du::SmartPtr<CalloutLeader>::DynamicCast(markup))
      leaders.push_back(leader);
  return leaders;
}

inline void ExpectPoint(const dg::DPoint3D& actual, const dg::DPoint3D& expected)
{
  EXPECT_DOUBLE_EQ(actual.x, expected.x);
  EXPECT_DOUBLE_EQ(actual.y, expected.y);
  EXPECT_DOUBLE_EQ(actual.z, expected.z);
}

inline std::string PartOfLeader(Callout& callout, unsigned index)
{
  const du::SmartPtr<tqk::ShapeInstance> part = callout.GetShapeInstanceAtPos(index);
  return part ? part->GetInstance()->GetIDPath().GetText() : "";
}

} // namespace callout_test
