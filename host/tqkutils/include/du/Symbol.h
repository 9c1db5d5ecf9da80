#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>

namespace du {

//! An interned string: every Symbol with the same text refers to the one stored copy, so
//! comparing two symbols compares two pointers.
//!
//! The stored copy lives as long as some symbol refers to it: texts that come and go with the
//! documents read (element names, values) do not stay in memory after their last symbol is gone.
//! A text interned again after that gets a new stored copy; no two copies of one text exist at a
//! time, so equal texts still give equal symbols. The intern table is built on first use and
//! never torn down, so symbols may be made during static initialisation of any library, in any
//! order, and outlive everything else. The empty symbol needs no table at all, so EMPTY is valid
//! before any constructor of any library runs.
class Symbol
{
public:
  static const Symbol EMPTY;

  constexpr Symbol() noexcept = default;
  Symbol(const char* text);
  Symbol(const std::string& text);
  Symbol(const Symbol& other) noexcept : m_entry(other.m_entry) { Retain(); }
  Symbol(Symbol&& other) noexcept : m_entry(other.m_entry) { other.m_entry = nullptr; }
  Symbol& operator=(const Symbol& other) noexcept
  {
    Symbol copy(other);
    std::swap(m_entry, copy.m_entry);
    return *this;
  }
  Symbol& operator=(Symbol&& other) noexcept
  {
    std::swap(m_entry, other.m_entry);
    return *this;
  }
  ~Symbol() { Release(); }

  const std::string& GetText() const noexcept { return m_entry ? m_entry->text : EmptyText(); }
  const char* c_str() const noexcept { return m_entry ? m_entry->text.c_str() : ""; }
  bool IsEmpty() const noexcept { return m_entry == nullptr; }

  bool operator==(const Symbol& other) const noexcept { return m_entry == other.m_entry; }
  bool operator!=(const Symbol& other) const noexcept { return m_entry != other.m_entry; }
  //! Orders by text, so that ordered containers of symbols do not depend on addresses.
  bool operator<(const Symbol& other) const noexcept { return GetText() < other.GetText(); }

  std::size_t Hash() const noexcept { return std::hash<const void*>()(m_entry); }

  //! How many distinct texts are stored now.
  static std::size_t CountStoredTexts();

  //! A stored text with the number of symbols that refer to it.
  struct Entry
  {
    std::string text;
    std::atomic<std::size_t> references;
  };

private:
  static const std::string& EmptyText() noexcept;

  void Retain() const noexcept
  {
    if (m_entry)
      m_entry->references.fetch_add(1, std::memory_order_relaxed);
  }
  void Release() noexcept;

  Entry* m_entry = nullptr; // null for the empty symbol
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
