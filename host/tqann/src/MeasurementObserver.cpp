#include <dom/ObserverProxy.h>
#include <tqannotations/MeasurementObserver.h>
#include <tqk/SelectionItem.h>

namespace tqannotations {

void MeasurementObserver::OnObjectChanged(int, const du::SmartPtr<tqk::SelectionItem>&, bool) {}
void MeasurementObserver::OnActiveSlotChanged(int) {}
void MeasurementObserver::OnParametersChanged() {}
void MeasurementObserver::OnMeasurementValid(bool) {}

void MeasurementEvent::Write(dom::ObserverProxy& proxy)
{
  if (proxy.GetDelivery() == dom::ObserverProxy::HANDLERS)
    if (auto* observer = dynamic_cast<MeasurementObserver*>(proxy.GetObserver().Get())) {
      Deliver(*observer);
      return;
    }
  proxy.Begin();
  WriteValues(proxy);
  proxy.End();
}

void MeasurementEvent::PushSlot(dom::ObserverProxy& proxy, int slot)
{
  const auto bits = static_cast<std::uint32_t>(slot);
  for (int shift = 0; shift < 32; shift += 8)
    proxy.PushUInt8Value(static_cast<std::uint8_t>(bits >> shift));
}

MeasurementObserver::ObjectChangedEvent::ObjectChangedEvent(int slot,
                                                            const du::SmartPtr<tqk::SelectionItem>& item,
                                                            bool valid)
    : m_slot(slot), m_item(item), m_valid(valid)
{}

MeasurementObserver::ObjectChangedEvent::~ObjectChangedEvent() = default;

void MeasurementObserver::ObjectChangedEvent::Deliver(MeasurementObserver& observer) const
{
  observer.OnObjectChanged(m_slot, m_item, m_valid);
}

void MeasurementObserver::ObjectChangedEvent::WriteValues(dom::ObserverProxy& proxy) const
{
  proxy.PushUInt8Value(OBJECT_CHANGED);
  PushSlot(proxy, m_slot);
  proxy.PushUInt8Value(m_valid ? 1 : 0);
}

void MeasurementObserver::ActiveSlotChangedEvent::WriteValues(dom::ObserverProxy& proxy) const
{
  proxy.PushUInt8Value(ACTIVE_SLOT_CHANGED);
  PushSlot(proxy, m_slot);
}

void MeasurementObserver::ParametersChangedEvent::WriteValues(dom::ObserverProxy& proxy) const
{
  proxy.PushUInt8Value(PARAMETERS_CHANGED);
}

void MeasurementObserver::MeasurementValidEvent::WriteValues(dom::ObserverProxy& proxy) const
{
  proxy.PushUInt8Value(MEASUREMENT_VALID);
  proxy.PushUInt8Value(m_valid ? 1 : 0);
}

} // namespace tqannotations
