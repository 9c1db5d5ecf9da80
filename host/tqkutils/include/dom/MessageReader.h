#pragma once

#include <dom/Message.h>
#include <du/SmartPtr.h>

#include <cstddef>
#include <cstdint>

namespace dom {

//! Reads the values of a dom::Message one after the other.
class MessageReader
{
public:
  //! A reader at the message's first value; a null message has none.
  explicit MessageReader(const du::SmartPtr<Message>& message) : m_message(message) {}

  //! The next value; false, leaving value as it was, when the message has no further value.
  bool GetUInt8Value(std::uint8_t& value);

private:
  du::SmartPtr<Message> m_message;
  std::size_t m_position = 0;
};

} // namespace dom
