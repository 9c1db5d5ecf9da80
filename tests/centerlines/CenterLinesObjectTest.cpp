#include "tests/centerlines/EventLog.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/ConstStrings.h>
#include <tqk/AsyncEvent.h>
#include <tqk/Kernel.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/mcad_selection.h>

#include <gtest/gtest.h>

namespace {

using tqannotations::CenterLinesAnnotation;
using tqannotations::CenterStyle;
using Events = std::vector<std::string>;

du::SmartPtr<tqk::SelectionItem> PartItem(const du::SmartPtr<tqk::ShapeInstance>& part)
{
  du::SmartPtr<tqk::ObjectSelectionItem> item(new tqk::ObjectSelectionItem(part->GetInstance()));
  item->SetContentType(tqk::mcad_selection::Instance);
  return item;
}

class CenterLinesObjectTest : public ::testing::Test
{
protected:
  CenterLinesObjectTest() : line(new CenterLinesAnnotation), log(new EventLog)
  {
    tqk::World::GetWorld()->GetPreferences()->Clear();
    tqk::Kernel::GetKernel()->PumpQueue();
    builder.BuildSample();
    line->RegisterObserver(log);
    log->events.clear();
  }
  ~CenterLinesObjectTest() override
  {
    line->DetachScene();
    tqk::Kernel::GetKernel()->PumpQueue();
  }

  tqk::illustration::IllustrationBuilder builder;
  du::SmartPtr<CenterLinesAnnotation> line;
  du::SmartPtr<EventLog> log;
};

TEST_F(CenterLinesObjectTest, ANewLineHasThreeEmptySlotsAndNamesItself)
{
  EXPECT_EQ(line->GetPreselectionCursor(), tqannotations::ConstStrings::tqExplodeLinePreselectionCursor);
  EXPECT_EQ(line->GetSlots().size(), 3u);
  EXPECT_FALSE(line->GetObject(0));
  EXPECT_FALSE(line->GetObject(3)) << "past the last slot";
  EXPECT_FALSE(line->AllowGroupDrag());
  EXPECT_TRUE(line->RecalculateMeasurementOnLoad());

  du::SmartPtr<EventLog> late(new EventLog);
  line->SetActiveSlot(1);
  EXPECT_TRUE(line->RegisterObserver(late));
  EXPECT_EQ(late->events, (Events{"active 1", "parameters"})) << "told the active slot on registration";
  EXPECT_FALSE(line->RegisterObserver(late));
}

TEST_F(CenterLinesObjectTest, SlotOperationsPostTheirEventsAndRefuseWhatIsInPlace)
{
  const auto plate = PartItem(builder.FindPart("frame/plate"));
  line->SetActiveSlot(1);
  log->events.clear();
  EXPECT_TRUE(line->SetActiveObject(plate));
  EXPECT_EQ(line->GetObject(0), plate) << "slot 0, whatever the active slot";
  EXPECT_EQ(log->events.front(), "object 1 invalid") << "the event names the active slot";

  log->events.clear();
  EXPECT_FALSE(line->SetActiveObject(plate)) << "in place already";
  EXPECT_FALSE(line->SetActiveObject(new tqk::ObjectSelectionItem(line))) << "not itself";
  EXPECT_TRUE(log->events.empty());

  EXPECT_TRUE(line->ClearCSysSlot());
  EXPECT_TRUE(log->events.empty()) << "no event and no measurement";

  line->SetActiveSlot(0);
  log->events.clear();
  EXPECT_TRUE(line->RaiseObjectChanged(plate));
  EXPECT_EQ(log->events, Events{"object 0 valid"}) << "judged by the slot's validation";
  line->SetActiveSlot(7);
  EXPECT_EQ(line->GetActiveSlot(), 0) << "a slot out of range is not taken";

  line->SetActiveSlot(2);
  EXPECT_EQ(line->GetActiveSlot(), 2) << "every slot in range reaches the base";

  const auto rib = PartItem(builder.FindPart("frame/rib"));
  line->SetObjects({plate, rib}, nullptr, false);
  log->events.clear();
  du::SmartPtr<tqk::SelectionItem> none;
  line->SetPoint(dg::DPoint3D(3, 0, 0), 2.5f, none, CenterLinesAnnotation::SECOND_END);
  EXPECT_EQ(line->GetObject(0), plate);
  EXPECT_FALSE(line->GetObject(1)) << "the slot of the end is cleared";
  ASSERT_GE(log->events.size(), 2u);
  EXPECT_EQ(log->events.front(), "active 2");
  EXPECT_EQ(log->events.back(), "parameters");
  CenterStyle style;
  line->GetLineStyle(style);
  EXPECT_EQ(style.anchorOffset.x, 3.0);
  EXPECT_EQ(style.lineExtent2, 2.5f);

  log->events.clear();
  line->SetPoint(dg::DPoint3D(9, 9, 9), 9.0f, none, static_cast<CenterLinesAnnotation::AttachedPoint>(2));
  EXPECT_TRUE(log->events.empty()) << "an end that is none of the two changes nothing";
}

TEST_F(CenterLinesObjectTest, CopiesAndClonesEditSlotsOfTheirOwnAndClonesComeFromFile)
{
  const auto plate = PartItem(builder.FindPart("frame/plate"));
  const auto rib = PartItem(builder.FindPart("frame/rib"));
  line->SetObjects({plate, rib}, nullptr, false);
  const du::SmartPtr<tqk::Annotation> clone = line->Clone();
  const auto copy = du::SmartPtr<CenterLinesAnnotation>::DynamicCast(clone);
  ASSERT_TRUE(copy);
  EXPECT_TRUE(copy->CreatedFromFile());
  EXPECT_FALSE(line->CreatedFromFile());
  copy->ClearSlot(1);
  EXPECT_EQ(line->GetObject(1), rib) << "the source keeps its slot";
  EXPECT_FALSE(copy->GetObject(1));
}

TEST_F(CenterLinesObjectTest, MeasuringAnswersTheRequestOnceWhenTheQueueIsPumped)
{
  line->AttachScene(builder.GetScene());
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  line->SetObjects({PartItem(builder.FindPart("frame/plate"))}, request, true);
  EXPECT_TRUE(request->IsPending()) << "nothing is answered inside the request";
  tqk::Kernel::GetKernel()->PumpQueue();
  EXPECT_EQ(request->GetStatus(), tqk::BaseAsyncEvent::COMPLETED);

  du::SmartPtr<tqk::AsyncEvent> refused(new tqk::AsyncEvent);
  line->SetObjects({}, refused, true);
  EXPECT_EQ(refused->GetStatus(), tqk::BaseAsyncEvent::FAILED);
  EXPECT_EQ(refused->GetErrorMessage(), du::Symbol("Failed to create center line"));
  EXPECT_EQ(refused->GetErrorCode(), 1);

  du::SmartPtr<tqk::AsyncEvent> waiting(new tqk::AsyncEvent);
  line->SetObjects({}, waiting, false);
  EXPECT_TRUE(waiting->IsPending());
  du::SmartPtr<tqk::AsyncEvent> replacing(new tqk::AsyncEvent);
  line->SetObjects({}, replacing, false);
  EXPECT_EQ(waiting->GetStatus(), tqk::BaseAsyncEvent::FAILED) << "a replaced request is answered too";
}

TEST_F(CenterLinesObjectTest, CoordinateSystemsCompareByThePickedObject)
{
  const du::SmartPtr<tqk::Object> plate = builder.FindPart("frame/plate")->GetInstance();
  const du::SmartPtr<tqk::Object> rib = builder.FindPart("frame/rib")->GetInstance();
  du::SmartPtr<CenterLinesAnnotation> other(new CenterLinesAnnotation);
  EXPECT_FALSE(line->CompareCSys(other.Get())) << "neither has a coordinate system";

  // Two items picking the same object are the same coordinate system.
  line->SetCSysObject(new tqk::ObjectSelectionItem(plate));
  EXPECT_FALSE(line->CompareCSys(other.Get()));
  other->SetCSysObject(new tqk::ObjectSelectionItem(plate));
  EXPECT_TRUE(line->CompareCSys(other.Get()));
  EXPECT_TRUE(other->CompareCSys(line.Get()));

  other->SetCSysObject(new tqk::ObjectSelectionItem(rib));
  EXPECT_FALSE(line->CompareCSys(other.Get()));
  other->SetCSysObject(new tqk::ObjectSelectionItem(nullptr));
  line->SetCSysObject(new tqk::ObjectSelectionItem(nullptr));
  EXPECT_FALSE(line->CompareCSys(other.Get())) << "items without objects name no system";
}

TEST(CenterLinesLifetime, TheLastReleaseTellsObserversOnceAndFreesTheLineOnce)
{
  const std::size_t before = tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::ANNOTATIONS);
  du::SmartPtr<EventLog> log(new EventLog);
  {
    du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
    line->RegisterObserver(log);
    CenterLinesAnnotation* raw = line.Get();
    // The observer holds the line for a moment while it hears that the line goes.
    log->onMeasurementValid = [raw] { du::SmartPtr<CenterLinesAnnotation> held(raw); };
    log->events.clear();
  }
  EXPECT_EQ(log->events, Events{"invalid"});
  EXPECT_EQ(tqk::MemoryPoolAllocated::GetLiveCount(tqk::MemoryPoolAllocated::ANNOTATIONS), before);
}

} // namespace
