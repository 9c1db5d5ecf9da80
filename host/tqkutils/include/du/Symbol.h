#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

namespace du {

//! An interned string: every Symbol with the same text refers to the one stored copy, so
//! comparing two symbols compares two pointers.
//!
//! The intern table is built on first use and never torn down, so symbols may be made during
//! static initialisation of any library, in any order, and outlive everything else. The empty
//! symbol needs no table at all, so EMPTY is valid before any constructor of any library runs.
class Symbol
{
public:
  static const Symbol EMPTY;

  constexpr Symbol() noexcept = default;
  Symbol(const char* text);
  Symbol(const std::string& text);

  const std::string& GetText() const noexcept { return m_text ? *m_text : EmptyText(); }
  const char* c_str() const noexcept { return m_text ? m_text->c_str() : ""; }
  bool IsEmpty() const noexcept { return m_text == nullptr; }

  bool operator==(const Symbol& other) const noexcept { return m_text == other.m_text; }
  bool operator!=(const Symbol& other) const noexcept { return m_text != other.m_text; }
  //! Orders by text, so that ordered containers of symbols do not depend on addresses.
  bool operator<(const Symbol& other) const noexcept { return GetText() < other.GetText(); }

  std::size_t Hash() const noexcept { return std::hash<const void*>()(m_text); }

private:
  static const std::string& EmptyText() noexcept;

  const std::string* m_text = nullptr; // the interned text; null for the empty symbol
};

inline bool operator==(const Symbol& symbol, const std::string& text) { return symbol.GetText() == text; }
inline bool operator==(const std::string& text, const Symbol& symbol) { return symbol.GetText() == text; }
inline bool operator!=(const Symbol& symbol, const std::string& text) { return !(symbol == text); }
inline bool operator!=(const std::string& text, const Symbol& symbol) { return !(symbol == text); }

// Without these, comparing with a literal would be ambiguous between the two conversions above,
// and interning the literal just to compare it would fill the table. A null text is the empty one.
inline bool operator==(const Symbol& symbol, const char* text)
{
  return text ? symbol.GetText() == text : symbol.IsEmpty();
}
inline bool operator==(const char* text, const Symbol& symbol) { return symbol == text; }
inline bool operator!=(const Symbol& symbol, const char* text) { return !(symbol == text); }
inline bool operator!=(const char* text, const Symbol& symbol) { return !(symbol == text); }

std::ostream& operator<<(std::ostream& out, const Symbol& symbol);

} // namespace du

template <>
struct std::hash<du::Symbol>
{
  std::size_t operator()(const du::Symbol& symbol) const noexcept { return symbol.Hash(); }
};
