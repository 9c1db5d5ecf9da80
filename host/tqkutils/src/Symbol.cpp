#include <du/Symbol.h>

#include <mutex>
#include <ostream>
#include <string_view>
#include <unordered_map>

namespace du {
namespace {

class InternTable
{
public:
  //! The stored copy of a non-empty text, with one more reference.
  Symbol::Entry* Intern(std::string_view text)
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = m_entries.find(text);
    if (found != m_entries.end()) {
      found->second->references.fetch_add(1, std::memory_order_relaxed);
      return found->second;
    }
    Symbol::Entry* entry = new Symbol::Entry{std::string(text), {1}};
    try {
      m_entries.emplace(entry->text, entry); // keyed by the entry's own text, which never moves
    } catch (...) {
      delete entry;
      throw;
    }
    return entry;
  }

  //! Drops one reference; the last one removes the text from the table and frees it.
  void Release(Symbol::Entry* entry) noexcept
  {
    // Dropping a reference that is not the last needs no lock: the text cannot go meanwhile.
    std::size_t references = entry->references.load(std::memory_order_relaxed);
    while (references > 1) {
      if (entry->references.compare_exchange_weak(references, references - 1, std::memory_order_release,
                                                  std::memory_order_relaxed))
        return;
    }
    // Perhaps the last: decided under the lock, since Intern may hand the text out again.
    std::lock_guard<std::mutex> lock(m_mutex);
    if (entry->references.fetch_sub(1, std::memory_order_acq_rel) != 1)
      return;
    m_entries.erase(entry->text);
    delete entry;
  }

  std::size_t Count()
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_entries.size();
  }

private:
  std::mutex m_mutex;
  std::unordered_map<std::string_view, Symbol::Entry*> m_entries;
};

InternTable& Table()
{
  // Never destroyed: symbols held in static storage of other libraries may be destroyed, or
  // even compared, after this library's own statics are gone.
  static InternTable* table = new InternTable;
  return *table;
}

} // namespace

// Constant-initialised (the default constructor is constexpr), hence usable from any static
// constructor, whichever library or translation unit runs first.
const Symbol Symbol::EMPTY;

Symbol::Symbol(const char* text) : m_entry(text && *text ? Table().Intern(text) : nullptr) {}

Symbol::Symbol(const std::string& text) : m_entry(text.empty() ? nullptr : Table().Intern(text)) {}

void Symbol::Release() noexcept
{
  if (m_entry)
    Table().Release(m_entry);
  m_entry = nullptr;
}

std::size_t Symbol::CountStoredTexts() { return Table().Count(); }

const std::string& Symbol::EmptyText() noexcept
{
  static const std::string* empty = new std::string; // never destroyed, as the table
  return *empty;
}

std::ostream& operator<<(std::ostream& out, const Symbol& symbol) { return out << symbol.GetText(); }

} // namespace du
