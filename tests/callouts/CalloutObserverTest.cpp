#include "callouts/CalloutTestSupport.h"

#include <tqannotations/CalloutObserver.h>

#include <dom/ObserverProxy.h>
#include <tqk/Observable.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace {

using namespace callout_test;

class CountingObserver : public CalloutObserver
{
public:
  void OnPositionSet() override { ++positionSets; }
  int positionSets = 0;
};

void Deliver(const du::SmartPtr<dom::Observer>& observer, std::initializer_list<std::uint8_t> bytes)
{
  du::SmartPtr<dom::ObserverProxy> proxy(new dom::ObserverProxy(observer));
  proxy->Begin();
  for (std::uint8_t byte : bytes)
    proxy->PushUInt8Value(byte);
  proxy->End();
}

TEST(CalloutObserver, CallsOnPositionSetOncePerPositionSetCode)
{
  du::SmartPtr<CountingObserver> observer(new CountingObserver);
  Deliver(observer, {1, 0, 1});
  EXPECT_EQ(observer->positionSets, 2);
  Deliver(observer, {});
  EXPECT_EQ(observer->positionSets, 2) << "an empty message calls nothing";
  Deliver(observer, {2, 255});
  EXPECT_EQ(observer->positionSets, 2) << "other codes are skipped";
}

TEST(CalloutObserver, TheBaseIgnoresTheEvent)
{
  du::SmartPtr<CalloutObserver> observer(new CalloutObserver);
  Deliver(observer, {1});
  SUCCEED();
}

TEST(CalloutObserver, PositionSetEventWritesTheOneCodeToEveryObserver)
{
  du::SmartPtr<tqk::Observable> observable(new tqk::Observable);
  du::SmartPtr<CountingObserver> first(new CountingObserver);
  du::SmartPtr<CountingObserver> second(new CountingObserver);
  ASSERT_TRUE(observable->RegisterObserver(new dom::ObserverProxy(first)));
  ASSERT_TRUE(observable->RegisterObserver(new dom::ObserverProxy(second)));
  observable->PostObservableEvent(new CalloutObserver::PositionSetEvent, false);
  observable->PostObservableEvent(new CalloutObserver::PositionSetEvent, false);
  EXPECT_EQ(first->positionSets, 2);
  EXPECT_EQ(second->positionSets, 2);
}

TEST(CalloutObservers, HearOnePositionSetPerPostedEventUntilUnregistered)
{
  du::SmartPtr<TestCallout> note(new TestCallout);
  note->InitializeAsNote(Template(false));
  du::SmartPtr<CountingObserver> counting(new CountingObserver);
  du::SmartPtr<CalloutObserver> observer(counting);
  EXPECT_TRUE(note->RegisterObserver(observer));
  EXPECT_FALSE(note->RegisterObserver(observer)) << "registered already";

  note->SetLabelPosition(dg::DPoint3D(1, 2, 3));
  EXPECT_EQ(counting->positionSets, 1);
  note->SetLabelPosition(dg::DPoint3D(4, 5, 6));
  EXPECT_EQ(counting->positionSets, 1) << "a note tells only the first time";

  EXPECT_TRUE(note->UnregisterObserver(observer));
  EXPECT_FALSE(note->UnregisterObserver(observer)) << "nothing left to remove";
  du::SmartPtr<TestCallout> other(new TestCallout);
  other->InitializeAsNote(Template(false));
  other->RegisterObserver(observer);
  other->UnregisterObserver(observer);
  other->SetLabelPosition(dg::DPoint3D());
  EXPECT_EQ(counting->positionSets, 1);
  EXPECT_EQ(counting->GetReferenceCount(), 2) << "no proxy keeps the observer";
}

} // namespace
