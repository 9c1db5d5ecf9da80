#include "definitions/ParserText.h"

#include <du/WideString.h>

#include <xercesc/util/XMLString.hpp>

namespace tqannotations {

std::string ParserTextToUtf8(const XMLCh* text, std::size_t length)
{
  std::string narrow;
  AppendParserText(narrow, text, length);
  return narrow;
}

std::string ParserTextToUtf8(const XMLCh* text)
{
  return ParserTextToUtf8(text, xercesc::XMLString::stringLen(text));
}

void AppendParserText(std::string& out, const XMLCh* text, std::size_t length)
{
  const std::size_t start = out.size();
  out.resize(start + length);
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] >= 0x80) {
      out.resize(start);
      out += du::WideStrToUtf8(text, length);
      return;
    }
    out[start + i] = static_cast<char>(text[i]);
  }
}

} // namespace tqannotations
