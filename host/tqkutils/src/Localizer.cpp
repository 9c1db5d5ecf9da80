#include <du/Localizer.h>

#include <du/MessageCatalog.h>

namespace du {

Localizer::Localizer(const std::string& catalogue) : m_catalogue(catalogue) {}

std::string Localizer::LocalizeMessage(const std::string& key, int failureAction,
                                       const AssembleArgs& args) const
{
  std::optional<std::string> message = MessageCatalog::Find(m_catalogue, key);
  if (!message)
    return failureAction == RETURN_EMPTY ? std::string() : key;

  const std::vector<std::string>& texts = args.GetTexts();
  std::string result;
  result.reserve(message->size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < message->size(); ++i) {
    const char c = (*message)[i];
    const bool placeholder =
        c == '%' && i + 1 < message->size() && ((*message)[i + 1] == 's' || (*message)[i + 1] == 'd');
    if (placeholder && next < texts.size()) {
      result += texts[next++];
      ++i;
    } else {
      result += c;
    }
  }
  return result;
}

} // namespace du
