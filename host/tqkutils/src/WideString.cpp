#include <du/WideString.h>

#include <algorithm>
#include <cwchar>

namespace du {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t c)
{
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
    c = kReplacement;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16AsUtf8(std::string& out, const char16_t* text, std::size_t length)
{
  // Most text is plain ASCII, which narrows as it stands: it goes over in blocks narrowed on the
  // stack, one append each, rather than character by character. The general conversion takes
  // over from the first character that is not ASCII.
  std::size_t ascii = 0;
  char block[64];
  while (ascii < length) {
    const char16_t* run = text + ascii;
    const std::size_t room = std::min(sizeof(block), length - ascii);
    std::size_t filled = 0;
    for (; filled < room && run[filled] < 0x80; ++filled)
      block[filled] = static_cast<char>(run[filled]);
    out.append(block, filled);
    ascii += filled;
    if (filled < room)
      break;
  }
  if (ascii == length)
    return;
  for (std::size_t i = ascii; i < length; ++i) {
    char32_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < length && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
      ++i;
    }
    AppendUtf8(out, c); // a lone surrogate becomes the replacement character there
  }
}

std::string Utf16ToUtf8(const char16_t* text, std::size_t length)
{
  std::string out;
  AppendUtf16AsUtf8(out, text, length);
  return out;
}

std::string Utf32ToUtf8(const wchar_t* text, std::size_t length)
{
  std::string out;
  out.reserve(length);
  for (std::size_t i = 0; i < length; ++i)
    AppendUtf8(out, static_cast<char32_t>(text[i]));
  return out;
}

//! Decodes the UTF-8 sequence that starts at text[i] and advances i past it.
char32_t DecodeUtf8(const std::string& text, std::size_t& i)
{
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i++);
  if (lead < 0x80)
    return lead;
  int trailing;
  char32_t c;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    trailing = 1, c = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    trailing = 2, c = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    trailing = 3, c = lead & 0x07, minimum = 0x10000;
  } else {
    return kReplacement;
  }
  for (int k = 0; k < trailing; ++k) {
    if (i >= text.size() || (byte(i) & 0xC0) != 0x80)
      return kReplacement; // the byte that broke the sequence is read again as a new one
    c = (c << 6) | (byte(i++) & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
    return kReplacement;
  return c;
}

void AppendUtf16(std::u16string& out, char32_t c)
{
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  }
}

} // namespace

std::string WideStrToUtf8(const char16_t* text)
{
  if (!text)
    return std::string();
  return Utf16ToUtf8(text, std::char_traits<char16_t>::length(text));
}

std::string WideStrToUtf8(const char16_t* text, std::size_t length)
{
  return text ? Utf16ToUtf8(text, length) : std::string();
}

std::string WideStrToUtf8(const std::u16string& text) { return Utf16ToUtf8(text.data(), text.size()); }

void AppendWideStrToUtf8(std::string& out, const char16_t* text, std::size_t length)
{
  if (text)
    AppendUtf16AsUtf8(out, text, length);
}

std::string WideStrToUtf8(const wchar_t* text)
{
  return text ? WideStrToUtf8(std::wstring(text)) : std::string();
}

std::string WideStrToUtf8(const std::wstring& text)
{
  if constexpr (sizeof(wchar_t) == sizeof(char16_t))
    return Utf16ToUtf8(reinterpret_cast<const char16_t*>(text.data()), text.size());
  else
    return Utf32ToUtf8(text.data(), text.size());
}

std::u16string Utf8ToUtf16(const std::string& text)
{
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();)
    AppendUtf16(out, DecodeUtf8(text, i));
  return out;
}

std::wstring Utf8ToWideStr(const std::string& text)
{
  std::wstring out;
  if constexpr (sizeof(wchar_t) == sizeof(char16_t)) {
    const std::u16string utf16 = Utf8ToUtf16(text);
    out.assign(utf16.begin(), utf16.end());
  } else {
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
      out += static_cast<wchar_t>(DecodeUtf8(text, i));
  }
  return out;
}

} // namespace du
