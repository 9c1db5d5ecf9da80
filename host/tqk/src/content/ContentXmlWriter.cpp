#include "ContentValueText.h"
#include "ContentXmlWriter.h"

#include <charconv>

namespace tqk {

bool ContentXmlWriter::Write(const SerializedContentElement& root, unsigned maxDepth, std::string& out,
                             std::string& error)
{
  out += "<?xml version=\"1.1\" encoding=\"UTF-8\"?>\n<content version=\"1\"";
  if (!AppendAttribute(out, "n", root.GetName().GetText(), error))
    return false;
  out += ">\n";
  if (!WriteElement(root, 0, maxDepth, out, error))
    return false;
  out += "</content>\n";
  return true;
}

bool ContentXmlWriter::WriteElement(const SerializedContentElement& element, unsigned depth,
                                    unsigned maxDepth, std::string& out, std::string& error)
{
  const std::string indent(2 * (depth + 1), ' ');
  for (const SerializedContentElement::Entry& entry : element.GetEntries()) {
    if (entry.child) {
      if (depth + 1 > maxDepth) {
        error = "the tree is nested deeper than " + std::to_string(maxDepth) + " elements";
        return false;
      }
      out += indent;
      out += "<e";
      if (!AppendAttribute(out, "n", entry.key.GetText(), error))
        return false;
      if (entry.child->GetEntries().empty()) {
        out += "/>\n";
        continue;
      }
      out += ">\n";
      if (!WriteElement(*entry.child, depth + 1, maxDepth, out, error))
        return false;
      out += indent;
      out += "</e>\n";
      continue;
    }
    out += indent;
    out += "<p";
    if (!AppendAttribute(out, "k", entry.key.GetText(), error))
      return false;
    out += " t=\"";
    out += ContentValueText::TypeTag(entry.value);
    out += '"';
    std::string text;
    ContentValueText::AppendText(text, entry.value);
    if (!AppendAttribute(out, "v", text, error))
      return false;
    out += "/>\n";
  }
  return true;
}

bool ContentXmlWriter::AppendAttribute(std::string& out, const char* name, const std::string& text,
                                       std::string& error)
{
  out += ' ';
  out += name;
  out += "=\"";
  if (!AppendEscaped(out, text)) {
    // The text itself is left out of the message: it is what cannot be shown.
    error = std::string("a text (attribute ") + name +
            ") is not UTF-8 or holds a character that XML cannot carry (NUL, U+FFFE, U+FFFF)";
    return false;
  }
  out += '"';
  return true;
}

void ContentXmlWriter::AppendCharacterReference(std::string& out, std::uint32_t codePoint)
{
  char digits[8];
  const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, codePoint, 16);
  out += "&#x";
  out.append(digits, written.ptr);
  out += ';';
}

bool ContentXmlWriter::AppendEscaped(std::string& out, const std::string& text)
{
  static const std::uint32_t smallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      switch (lead) {
      case 0: return false;
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (lead < 0x20 || lead == 0x7F)
          AppendCharacterReference(out, lead);
        else
          out += static_cast<char>(lead);
      }
      ++i;
      continue;
    }
    std::size_t length = 0;
    if ((lead & 0xE0) == 0xC0)
      length = 2;
    else if ((lead & 0xF0) == 0xE0)
      length = 3;
    else if ((lead & 0xF8) == 0xF0)
      length = 4;
    else
      return false;
    std::uint32_t codePoint = lead & (0x7F >> length); // the lead byte's payload bits
    if (i + length > text.size())
      return false;
    for (std::size_t k = 1; k < length; ++k) {
      const unsigned char continuation = static_cast<unsigned char>(text[i + k]);
      if ((continuation & 0xC0) != 0x80)
        return false;
      codePoint = (codePoint << 6) | (continuation & 0x3F);
    }
    const bool overlong = codePoint < smallestOfLength[length];
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (overlong || surrogate || codePoint > 0x10FFFF || codePoint == 0xFFFE || codePoint == 0xFFFF)
      return false;
    // C1 controls must be references in XML 1.1, and NEL and LINE SEPARATOR would be read as
    // line breaks.
    if ((codePoint >= 0x80 && codePoint <= 0x9F) || codePoint == 0x2028)
      AppendCharacterReference(out, codePoint);
    else
      out.append(text, i, length);
    i += length;
  }
  return true;
}

} // namespace tqk
