#pragma once

#include <string>
#include <vector>

namespace du {

//! The arguments of a catalogue message, each already formatted for its placeholder.
//!
//! A message names its arguments with "%s" (text) and "%d" (integer) placeholders, which
//! du::Localizer fills in order.
class AssembleArgs
{
public:
  AssembleArgs() = default;
  //! One argument; the format is "%s" or "%d" and must suit the value's type.
  AssembleArgs(const char* format, const std::string& text);
  AssembleArgs(const char* format, int number);

  AssembleArgs& Add(const std::string& text);
  AssembleArgs& Add(int number);

  const std::vector<std::string>& GetTexts() const noexcept { return m_texts; }

private:
  std::vector<std::string> m_texts;
};

} // namespace du
