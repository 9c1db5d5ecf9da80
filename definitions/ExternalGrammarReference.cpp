#include "definitions/ExternalGrammarReference.h"

#include <cstring>

namespace tqannotations {
namespace {

//! A cursor over the prolog that reads the markup of XML 1.0 as far as the declaration.
class PrologCursor
{
public:
  explicit PrologCursor(const std::string& text) : m_text(text) {}

  std::size_t Position() const { return m_position; }

  bool SkipString(const char* expected)
  {
    const std::size_t length = std::strlen(expected);
    if (m_text.compare(m_position, length, expected) != 0)
      return false;
    m_position += length;
    return true;
  }

  //! Skips white space; false when there was none.
  bool SkipSpace()
  {
    const std::size_t start = m_position;
    while (m_position < m_text.size() && IsSpace(m_text[m_position]))
      ++m_position;
    return m_position > start;
  }

  //! Moves past the next occurrence of the terminator; false when there is none.
  bool SkipPast(const char* terminator)
  {
    const std::size_t found = m_text.find(terminator, m_position);
    if (found == std::string::npos)
      return false;
    m_position = found + std::strlen(terminator);
    return true;
  }

  //! Skips the declaration's root name; false when it is empty.
  bool SkipName()
  {
    const std::size_t start = m_position;
    while (m_position < m_text.size() && !IsSpace(m_text[m_position]) && m_text[m_position] != '[' &&
           m_text[m_position] != '>')
      ++m_position;
    return m_position > start;
  }

  //! Skips a quoted literal, "..." or '...'.
  bool SkipLiteral()
  {
    if (m_position >= m_text.size() || (m_text[m_position] != '"' && m_text[m_position] != '\''))
      return false;
    const std::size_t closing = m_text.find(m_text[m_position], m_position + 1);
    if (closing == std::string::npos)
      return false;
    m_position = closing + 1;
    return true;
  }

private:
  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

  const std::string& m_text;
  std::size_t m_position = 0;
};

//! Where the external identifier lies, from its keyword to the end of its last literal.
bool FindExternalIdentifier(const std::string& document, std::size_t& begin, std::size_t& end)
{
  PrologCursor cursor(document);
  cursor.SkipString("\xEF\xBB\xBF"); // a UTF-8 byte order mark
  // The XML declaration, processing instructions, comments and white space may come first.
  for (;;) {
    cursor.SkipSpace();
    if (cursor.SkipString("<?")) {
      if (!cursor.SkipPast("?>"))
        return false;
    } else if (cursor.SkipString("<!--")) {
      if (!cursor.SkipPast("-->"))
        return false;
    } else {
      break;
    }
  }
  if (!cursor.SkipString("<!DOCTYPE") || !cursor.SkipSpace() || !cursor.SkipName() || !cursor.SkipSpace())
    return false;
  begin = cursor.Position();
  if (cursor.SkipString("SYSTEM")) {
    if (!cursor.SkipSpace() || !cursor.SkipLiteral())
      return false;
  } else if (cursor.SkipString("PUBLIC")) {
    if (!cursor.SkipSpace() || !cursor.SkipLiteral() || !cursor.SkipSpace() || !cursor.SkipLiteral())
      return false;
  } else {
    return false;
  }
  end = cursor.Position();
  return true;
}

} // namespace

bool BlankExternalGrammarReference(const std::string& document, std::string& blanked)
{
  std::size_t begin = 0;
  std::size_t end = 0;
  if (!FindExternalIdentifier(document, begin, end))
    return false;
  blanked = document;
  for (std::size_t i = begin; i < end; ++i) {
    if (blanked[i] != '\n')
      blanked[i] = ' ';
  }
  return true;
}

} // namespace tqannotations
