#pragma once

#include <cstddef>
#include <string>

namespace du {

//! Conversions between UTF-8 and wide text.
//!
//! 16-bit text (the XML parser's characters) is UTF-16 with surrogate pairs; wchar_t text is
//! UTF-16 where wchar_t has 16 bits and UTF-32 where it has 32. Malformed input (a lone
//! surrogate, a broken or overlong UTF-8 sequence, a value past U+10FFFF) becomes U+FFFD.

std::string WideStrToUtf8(const char16_t* text);
std::string WideStrToUtf8(const char16_t* text, std::size_t length);
std::string WideStrToUtf8(const std::u16string& text);
//! Appends the 16-bit text in UTF-8 to out, sparing a temporary for text read piece by piece.
void AppendWideStrToUtf8(std::string& out, const char16_t* text, std::size_t length);
std::string WideStrToUtf8(const wchar_t* text);
std::string WideStrToUtf8(const std::wstring& text);

std::wstring Utf8ToWideStr(const std::string& text);
std::u16string Utf8ToUtf16(const std::string& text);

} // namespace du
