#pragma once

#include <du/RefCounted.h>

#include <cstdint>
#include <vector>

namespace dom {

//! One message delivered to an observer: the values an event wrote, in order.
//!
//! Read it with dom::MessageReader.
class Message : public du::RefCounted
{
public:
  void AppendUInt8(std::uint8_t value) { m_bytes.push_back(value); }
  const std::vector<std::uint8_t>& GetBytes() const noexcept { return m_bytes; }

private:
  std::vector<std::uint8_t> m_bytes;
};

} // namespace dom
