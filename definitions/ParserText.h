#pragma once

#include <xercesc/util/XercesDefs.hpp>

#include <cstddef>
#include <string>

namespace tqannotations {

//! The parser's UTF-16 text in UTF-8, as du::WideStrToUtf8 gives it. Template text is nearly
//! always plain ASCII, which is narrowed as it stands without going through the general
//! conversion; reading templates would otherwise spend a good part of its time here.
std::string ParserTextToUtf8(const XMLCh* text, std::size_t length);
//! The same for text that ends at a zero character.
std::string ParserTextToUtf8(const XMLCh* text);
//! Appends the text in UTF-8 to out.
void AppendParserText(std::string& out, const XMLCh* text, std::size_t length);

} // namespace tqannotations
