#include "callouts/CalloutTestSupport.h"

#include <tqannotations/ConstStrings.h>

#include <gtest/gtest.h>

namespace {

using namespace callout_test;

TEST(CalloutDefaults, ANewCalloutHasLeadersNoItemAndTheSnapshotDefaults)
{
  du::SmartPtr<Callout> callout(new Callout);
  EXPECT_EQ(callout->GetType(), Callout::CALLOUT_LEADERS);
  EXPECT_FALSE(callout->IsInitialized());
  EXPECT_FALSE(callout->HasItemId());
  unsigned id = 99;
  EXPECT_FALSE(callout->GetItemId(id));
  EXPECT_EQ(id, 99u);
  EXPECT_FALSE(callout->IsKit());
  EXPECT_TRUE(callout->VisibleFromFile());
  EXPECT_FLOAT_EQ(callout->GetFontSize(), 10.0f);
  EXPECT_EQ(callout->GetFontFace(), "Arial");
  EXPECT_EQ(callout->GetText(), " ");
  EXPECT_EQ(callout->GetArrowStyle(), 3);
  EXPECT_FLOAT_EQ(callout->GetLineWidth(), 1.0f);
  EXPECT_EQ(callout->GetLineStipple(), 0);
  EXPECT_FALSE(callout->GetHalo());
  EXPECT_EQ(callout->GetPageNum(), 0);
  EXPECT_EQ(callout->GetShape(), 0);
  EXPECT_EQ(callout->GetClass(), ConstStrings::tqCalloutLabel);
  EXPECT_EQ(callout->GetPreselectionCursor(), ConstStrings::tqLabelPreselectionCursor);
  EXPECT_EQ(Callout::GetClassStatic(), ConstStrings::tqCalloutLabel);
  EXPECT_EQ(callout->GetAnnotationType(), 2);
  EXPECT_TRUE(callout->AllowGroupDrag());
  EXPECT_FALSE(callout->IsEqual(callout)) << "not even equal to itself";
  EXPECT_EQ(callout->GetNoShapeCalloutTextAreaPad(), 5.0f);
}

TEST(CalloutDefaults, BlendColourIsTheMeanWithOpaqueAlpha)
{
  dg::Color out;
  Callout::GetBlendColor(dg::Color(1, 0, 0, 0.2f), dg::Color(0, 0, 1, 0.4f), out);
  EXPECT_EQ(out, dg::Color(0.5f, 0, 0.5f, 1));
}

TEST(CalloutItemIds, AnItemIdMakesAnItemCalloutUntilItIsRemoved)
{
  du::SmartPtr<Callout> callout(new Callout);
  callout->SetItemId(7);
  EXPECT_EQ(callout->GetType(), Callout::CALLOUT_ITEM);
  EXPECT_TRUE(callout->HasItemId());
  EXPECT_TRUE(callout->HasItemId(7));
  EXPECT_FALSE(callout->HasItemId(8));
  callout->RemoveItemId();
  EXPECT_EQ(callout->GetType(), Callout::CALLOUT_LEADERS);
  unsigned id = 0;
  EXPECT_FALSE(callout->GetItemId(id));
  EXPECT_FALSE(callout->HasItemId(7));
}

TEST(CalloutItemIds, RemovingTheItemIdOfANoteKeepsItANote)
{
  du::SmartPtr<TestCallout> note(new TestCallout);
  note->_Initialize(Template(false));
  ASSERT_EQ(note->GetType(), Callout::CALLOUT_NOTE);
  note->RemoveItemId();
  EXPECT_EQ(note->GetType(), Callout::CALLOUT_NOTE);
}

TEST(CalloutDescriptions, NameTheKindAndTheFirstTwelveCharacters)
{
  du::SmartPtr<Callout> callout(new Callout);
  callout->SetText(du::Symbol("Pressure\nrelief valve, 3 bar"));
  EXPECT_EQ(callout->GetShortObjectDescription(), "Callout");
  EXPECT_EQ(callout->GetObjectDescription(), "Callout: Pressure rel");
  callout->SetText(du::Symbol("Pump"));
  EXPECT_EQ(callout->GetObjectDescription(), "Callout: Pump");
  callout->SetText(du::Symbol("a\r\nb"));
  EXPECT_EQ(callout->GetObjectDescription(), "Callout: a  b");

  callout->SetItemId(3);
  EXPECT_EQ(callout->GetShortObjectDescription(), "Item Callout");
  du::SmartPtr<TestCallout> note(new TestCallout);
  note->_Initialize(Template(false));
  EXPECT_EQ(note->GetShortObjectDescription(), "Note");
}

TEST(CalloutDescriptions, NeverSplitACharacter)
{
  du::SmartPtr<Callout> callout(new Callout);
  callout->SetText(du::Symbol("Ventil \xC3\xBC\xC3\xA4\xE2\x82\xAC\xF0\x9F\x94\xA7 Gr\xC3\xB6\xC3\x9F"
                              "e"));
  EXPECT_EQ(callout->GetObjectDescription(), "Callout: Ventil \xC3\xBC\xC3\xA4\xE2\x82\xAC\xF0\x9F\x94\xA7 ");
}

TEST(CalloutCopies, ACopySharesTheLeaderMarkupsButNotTheRecords)
{
  SceneWithView world;
  du::SmartPtr<TestCallout> source(new TestCallout);
  source->_Initialize(Template());
  const du::SmartPtr<CalloutLeader> first = source->AddLeader(world.AddPart("a"));
  source->AddLeader(world.AddPart("b"));

  source->AttachScene(world.scene);

  du::SmartPtr<TestCallout> copy(new TestCallout(*source));
  EXPECT_EQ(copy->GetType(), source->GetType());
  copy->SetLineColor(dg::Color(1, 0, 0, 1));
  EXPECT_EQ(first->GetLineColor(), dg::Color(1, 0, 0, 1)) << "the copy drives the source's leader";
  EXPECT_TRUE(copy->GetShapeInstanceAtPos(1) == source->GetShapeInstanceAtPos(1));
  copy->SetText(du::Symbol("shared"));
  ASSERT_TRUE(LabelIn(*world.scene));
  EXPECT_EQ(LabelIn(*world.scene)->GetText(), "shared") << "the copy drives the source's label";
  source->DetachScene();

  source->_Initialize(Template());
  EXPECT_EQ(source->GetLeaderLineCount(true), 0u);
  EXPECT_EQ(copy->GetLeaderLineCount(true), 2u) << "the copy's records are its own";
  EXPECT_EQ(copy->GetLeaderLineCount(false), 2u);
}

TEST(CalloutCopies, ASnapshotCalloutTakesTheMaskedValuesAndKeepsRecordsAsRecords)
{
  CalloutInfo info;
  info.text = du::Symbol("From file");
  info.fontSize = 5.0f;
  info.textUnit = 0;
  info.shape = 12;
  info.leaderRecords.push_back(new CalloutLeaderInfo);
  info.leaderRecords.back()->shapeInstanceId = "asm/part";
  info.validFields = CalloutInfo::FONT_SIZE_VALID;
  du::SmartPtr<Callout> callout(new Callout(info));
  EXPECT_EQ(callout->GetType(), Callout::CALLOUT_LEADERS);
  EXPECT_FALSE(callout->IsInitialized());
  EXPECT_EQ(callout->GetText(), "From file");
  EXPECT_NEAR(callout->GetFontSize(), 5.0f * 72.0f / 25.4f, 1e-4);
  EXPECT_EQ(callout->GetFontUnit(), 3);
  EXPECT_EQ(callout->GetShape(), 12);
  EXPECT_EQ(callout->GetShapeInstanceIdAtPos(0), "asm/part");
  EXPECT_EQ(callout->GetLeaderLineCount(false), 0u);
  EXPECT_TRUE(info.leaderRecords[0]->GetReferenceCount() == 1) << "the callout made its own record";
}

} // namespace
