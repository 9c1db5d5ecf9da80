#include <dom/MessageReader.h>
#include <dom/ObservableEvent.h>
#include <dom/Observer.h>
#include <dom/ObserverProxy.h>
#include <tqk/Annotation.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

class ByteObserver : public dom::Observer
{
public:
  std::vector<std::vector<std::uint8_t>> messages;

protected:
  void EventHandler(const du::SmartPtr<dom::Message>& message) override
  {
    dom::MessageReader reader(message);
    std::vector<std::uint8_t> bytes;
    std::uint8_t value = 0;
    while (reader.GetUInt8Value(value))
      bytes.push_back(value);
    messages.push_back(bytes);
  }
};

class BytesEvent : public dom::ObservableEvent
{
public:
  explicit BytesEvent(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
  void Write(dom::ObserverProxy& proxy) override
  {
    proxy.Begin();
    for (std::uint8_t byte : m_bytes)
      proxy.PushUInt8Value(byte);
    proxy.End();
  }

private:
  std::vector<std::uint8_t> m_bytes;
};

TEST(Observable, PostedEventsReachEachRegisteredObserverAsOneMessage)
{
  du::SmartPtr<tqk::Annotation> annotation(new tqk::Annotation(2));
  du::SmartPtr<ByteObserver> first(new ByteObserver);
  du::SmartPtr<ByteObserver> second(new ByteObserver);
  ASSERT_TRUE(annotation->RegisterObserver(new dom::ObserverProxy(first)));
  ASSERT_TRUE(annotation->RegisterObserver(new dom::ObserverProxy(second)));
  EXPECT_FALSE(annotation->RegisterObserver(new dom::ObserverProxy(first))) << "registered already";
  EXPECT_FALSE(annotation->RegisterObserver(new dom::ObserverProxy(nullptr)));

  EXPECT_TRUE(annotation->PostObservableEvent(new BytesEvent({1, 0, 1}), false));
  EXPECT_TRUE(annotation->PostObservableEvent(new BytesEvent({}), false));
  EXPECT_FALSE(annotation->PostObservableEvent(nullptr, false));
  const std::vector<std::vector<std::uint8_t>> expected = {{1, 0, 1}, {}};
  EXPECT_EQ(first->messages, expected);
  EXPECT_EQ(second->messages, expected);

  // Deregistration matches by the observer, so a new proxy for it will do.
  EXPECT_TRUE(annotation->DeregisterObserver(new dom::ObserverProxy(first)));
  EXPECT_FALSE(annotation->DeregisterObserver(new dom::ObserverProxy(first)));
  annotation->PostObservableEvent(new BytesEvent({7}), false);
  EXPECT_EQ(first->messages.size(), 2u);
  EXPECT_EQ(second->messages.back(), std::vector<std::uint8_t>{7});
}

TEST(Observable, CopiesStartWithoutObservers)
{
  du::SmartPtr<tqk::Annotation> annotation(new tqk::Annotation(2));
  annotation->RegisterObserver(new dom::ObserverProxy(new ByteObserver));
  du::SmartPtr<tqk::Annotation> copy(new tqk::Annotation(*annotation));
  EXPECT_EQ(annotation->GetObserverCount(), 1u);
  EXPECT_EQ(copy->GetObserverCount(), 0u);
}

TEST(ObserverProxy, ValuesOutsideAMessageAreRefused)
{
  du::SmartPtr<ByteObserver> observer(new ByteObserver);
  du::SmartPtr<dom::ObserverProxy> proxy(new dom::ObserverProxy(observer));
  EXPECT_FALSE(proxy->PushUInt8Value(1));
  EXPECT_FALSE(proxy->End());
  proxy->Begin();
  EXPECT_TRUE(proxy->PushUInt8Value(2));
  EXPECT_TRUE(proxy->End());
  EXPECT_FALSE(proxy->End()) << "the message was delivered";
  EXPECT_EQ(observer->messages, (std::vector<std::vector<std::uint8_t>>{{2}}));
}

} // namespace
