#include <du/Symbol.h>

#include <mutex>
#include <ostream>
#include <unordered_set>

namespace du {
namespace {

class InternTable
{
public:
  //! The stored copy of a non-empty text.
  const std::string* Intern(const std::string& text)
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    // Node-based set: the stored strings never move, so their addresses are the identities.
    return &*m_texts.insert(text).first;
  }

private:
  std::mutex m_mutex;
  std::unordered_set<std::string> m_texts;
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

Symbol::Symbol(const char* text) : m_text(text && *text ? Table().Intern(text) : nullptr) {}

Symbol::Symbol(const std::string& text) : m_text(text.empty() ? nullptr : Table().Intern(text)) {}

const std::string& Symbol::EmptyText() noexcept
{
  static const std::string* empty = new std::string; // never destroyed, as the table
  return *empty;
}

std::ostream& operator<<(std::ostream& out, const Symbol& symbol) { return out << symbol.GetText(); }

} // namespace du
