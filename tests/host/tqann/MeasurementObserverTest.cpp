#include <dom/MessageReader.h>
#include <dom/ObserverProxy.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/Annotation.h>
#include <tqk/ObjectSelectionItem.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tqannotations::MeasurementObserver;

class RecordingObserver : public MeasurementObserver
{
public:
  std::vector<std::string> heard;
  std::vector<std::vector<std::uint8_t>> messages;
  du::SmartPtr<tqk::SelectionItem> lastItem;

  void OnObjectChanged(int slot, const du::SmartPtr<tqk::SelectionItem>& item, bool valid) override
  {
    lastItem = item;
    heard.push_back("object " + std::to_string(slot) + (valid ? " valid" : " invalid"));
  }
  void OnActiveSlotChanged(int slot) override { heard.push_back("active " + std::to_string(slot)); }
  void OnParametersChanged() override { heard.push_back("parameters"); }
  void OnMeasurementValid(bool valid) override { heard.push_back(valid ? "valid" : "invalid"); }

protected:
  void EventHandler(const du::SmartPtr<dom::Message>& message) override
  {
    dom::MessageReader reader(message);
    std::vector<std::uint8_t> bytes;
    for (std::uint8_t value = 0; reader.GetUInt8Value(value);)
      bytes.push_back(value);
    messages.push_back(bytes);
  }
};

void PostAllFour(tqk::Annotation& subject, const du::SmartPtr<tqk::SelectionItem>& item)
{
  subject.PostObservableEvent(new MeasurementObserver::ObjectChangedEvent(1, item, true), false);
  subject.PostObservableEvent(new MeasurementObserver::ActiveSlotChangedEvent(2), false);
  subject.PostObservableEvent(new MeasurementObserver::ParametersChangedEvent, false);
  subject.PostObservableEvent(new MeasurementObserver::MeasurementValidEvent(false), false);
}

TEST(MeasurementObserver, HandlerObserversHearEachEventWithItsArgumentsAndOthersGetMessages)
{
  du::SmartPtr<tqk::Annotation> subject(new tqk::Annotation(0x8000));
  du::SmartPtr<RecordingObserver> byHandlers(new RecordingObserver);
  du::SmartPtr<RecordingObserver> byMessages(new RecordingObserver);
  ASSERT_TRUE(subject->RegisterObserver(new dom::ObserverProxy(byHandlers, dom::ObserverProxy::HANDLERS)));
  ASSERT_TRUE(subject->RegisterObserver(new dom::ObserverProxy(byMessages)));
  du::SmartPtr<tqk::SelectionItem> item(new tqk::ObjectSelectionItem(nullptr));

  PostAllFour(*subject, item);

  EXPECT_EQ(byHandlers->heard,
            (std::vector<std::string>{"object 1 valid", "active 2", "parameters", "invalid"}));
  EXPECT_EQ(byHandlers->lastItem, item);
  EXPECT_TRUE(byHandlers->messages.empty());

  EXPECT_TRUE(byMessages->heard.empty());
  const std::vector<std::vector<std::uint8_t>> expected = {
      {MeasurementObserver::OBJECT_CHANGED, 1, 0, 0, 0, 1},
      {MeasurementObserver::ACTIVE_SLOT_CHANGED, 2, 0, 0, 0},
      {MeasurementObserver::PARAMETERS_CHANGED},
      {MeasurementObserver::MEASUREMENT_VALID, 0}};
  EXPECT_EQ(byMessages->messages, expected);
}

} // namespace
