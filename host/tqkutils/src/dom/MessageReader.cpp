#include <dom/MessageReader.h>

namespace dom {

bool MessageReader::GetUInt8Value(std::uint8_t& value)
{
  if (!m_message || m_position >= m_message->GetBytes().size())
    return false;
  value = m_message->GetBytes()[m_position++];
  return true;
}

} // namespace dom
