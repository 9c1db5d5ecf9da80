#include <du/OutputBuffer.h>

namespace du {

bool OutputBuffer::Put4Byte(std::uint32_t value)
{
  std::uint8_t bytes[4];
  for (int i = 0; i < 4; ++i) {
    const int shift = m_order == LEAST_SIGNIFICANT_FIRST ? 8 * i : 8 * (3 - i);
    bytes[i] = static_cast<std::uint8_t>(value >> shift);
  }
  m_bytes.insert(m_bytes.end(), bytes, bytes + 4);
  return true;
}

bool OutputBuffer::Put1ByteArray(const void* bytes, std::size_t count)
{
  if (count == 0)
    return true;
  if (!bytes)
    return false;
  const auto* first = static_cast<const std::uint8_t*>(bytes);
  m_bytes.insert(m_bytes.end(), first, first + count);
  return true;
}

} // namespace du
