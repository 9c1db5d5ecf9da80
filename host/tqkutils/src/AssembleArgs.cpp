#include <du/AssembleArgs.h>

namespace du {

AssembleArgs::AssembleArgs(const char* /*format*/, const std::string& text) { Add(text); }

AssembleArgs::AssembleArgs(const char* /*format*/, int number) { Add(number); }

AssembleArgs& AssembleArgs::Add(const std::string& text)
{
  m_texts.push_back(text);
  return *this;
}

AssembleArgs& AssembleArgs::Add(int number)
{
  m_texts.push_back(std::to_string(number));
  return *this;
}

} // namespace du
