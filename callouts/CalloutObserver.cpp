#include <tqannotations/CalloutObserver.h>

#include <dom/MessageReader.h>
#include <dom/ObserverProxy.h>

#include <cstdint>

namespace tqannotations {

CalloutObserver::PositionSetEvent::~PositionSetEvent() = default;

void CalloutObserver::PositionSetEvent::Write(dom::ObserverProxy& proxy)
{
  proxy.Begin();
  proxy.PushUInt8Value(POSITION_SET_EVENT);
  proxy.End();
}

CalloutObserver::CalloutObserver() = default;
CalloutObserver::~CalloutObserver() = default;

void CalloutObserver::OnPositionSet() {}

void CalloutObserver::EventHandler(const du::SmartPtr<dom::Message>& message)
{
  dom::MessageReader reader(message);
  std::uint8_t code = 0;
  while (reader.GetUInt8Value(code))
    if (code == POSITION_SET_EVENT)
      OnPositionSet();
}

} // namespace tqannotations
