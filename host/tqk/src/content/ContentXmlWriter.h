#pragma once

#include <tqk/SerializedContentElement.h>

#include <cstdint>
#include <string>

namespace tqk {

//! Spells a content tree as the XML text that the document store keeps in its files.
//!
//! The text is XML 1.1, which (unlike 1.0) can carry every character but NUL as a character
//! reference. Line breaks, tabs and control characters in texts are written as references, since
//! a parser would otherwise normalise them in attribute values and the text would not come back.
class ContentXmlWriter
{
public:
  //! Appends the tree's text to out; false, with the reason in error, when a text is not UTF-8
  //! or holds a character no XML can carry (NUL, U+FFFE, U+FFFF), or the tree is deeper than a
  //! file may be.
  static bool Write(const SerializedContentElement& root, unsigned maxDepth, std::string& out,
                    std::string& error);

private:
  //! depth: how many elements enclose this one below the root (the root's own depth is 0).
  static bool WriteElement(const SerializedContentElement& element, unsigned depth, unsigned maxDepth,
                           std::string& out, std::string& error);
  static bool AppendAttribute(std::string& out, const char* name, const std::string& text,
                              std::string& error);
  static bool AppendEscaped(std::string& out, const std::string& text);
  static void AppendCharacterReference(std::string& out, std::uint32_t codePoint);
};

} // namespace tqk
