#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace du {

//! A growing byte buffer that the host hands out for flat, binary records (stored selections,
//! for one). Values are appended in call order and read back as one run of bytes.
class OutputBuffer
{
public:
  //! The order in which Put4Byte lays out the bytes of a value.
  enum ByteOrder
  {
    LEAST_SIGNIFICANT_FIRST = 0, //!< the host's own order, and the default
    MOST_SIGNIFICANT_FIRST = 1,
  };

  explicit OutputBuffer(ByteOrder order = LEAST_SIGNIFICANT_FIRST) : m_order(order) {}

  ByteOrder GetByteOrder() const noexcept { return m_order; }

  //! Appends the four bytes of value in the buffer's byte order. Always true.
  bool Put4Byte(std::uint32_t value);
  //! Appends count bytes from bytes as they are. False, appending nothing, when bytes is null
  //! and count is not zero.
  bool Put1ByteArray(const void* bytes, std::size_t count);

  //! Everything written so far, in order.
  const std::vector<std::uint8_t>& GetBytes() const noexcept { return m_bytes; }
  std::size_t GetSize() const noexcept { return m_bytes.size(); }

private:
  ByteOrder m_order;
  std::vector<std::uint8_t> m_bytes;
};

} // namespace du
