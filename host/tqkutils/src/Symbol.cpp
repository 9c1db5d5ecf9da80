#include <du/Symbol.h>

#include <mutex>
#include <ostream>
#include <unordered_set>

namespace du {
namespace {

class InternTable
{
public:
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

const std::string* EmptyText()
{
  static const std::string* empty = Table().Intern(std::string());
  return empty;
}

} // namespace

const Symbol Symbol::EMPTY;

Symbol::Symbol() : m_text(EmptyText()) {}

Symbol::Symbol(const char* text) : m_text(text ? Table().Intern(text) : EmptyText()) {}

Symbol::Symbol(const std::string& text) : m_text(Table().Intern(text)) {}

std::ostream& operator<<(std::ostream& out, const Symbol& symbol) { return out << symbol.GetText(); }

} // namespace du
