#include <dom/ObserverProxy.h>
#include <du/CommonAllocatorImpl.h>

#include <new>

namespace dom {

void* ObserverProxy::operator new(std::size_t size)
{
  if (void* memory = du::CommonAllocatorImpl::Allocate(size))
    return memory;
  throw std::bad_alloc();
}

void ObserverProxy::operator delete(void* memory) noexcept { du::CommonAllocatorImpl::Deallocate(memory); }

void ObserverProxy::Begin() { m_message = new Message; }

bool ObserverProxy::PushUInt8Value(std::uint8_t value)
{
  if (!m_message)
    return false;
  m_message->AppendUInt8(value);
  return true;
}

bool ObserverProxy::End()
{
  if (!m_message)
    return false;
  // Taken out first: the observer may post again from its handler, which begins a new message
  // on this very proxy.
  du::SmartPtr<Message> message;
  message.Swap(m_message);
  if (m_observer)
    m_observer->EventHandler(message);
  return true;
}

} // namespace dom
