#include <du/MessageCatalog.h>

#include <map>
#include <mutex>
#include <utility>

namespace du {
namespace {

using Key = std::pair<std::string, std::string>; // catalogue, key

std::map<Key, std::string> ShippedTexts()
{
  std::map<Key, std::string> texts;
  const char* modules = "tqbase:tqmodulesStrings";
  const std::pair<const char*, const char*> english[] = {
      {"31", "Move Leader Point"},   {"68", "Edit %s"},
      {"113", "Change Items of %s"}, {"118", "Move %s"},
      {"119", "Change Style of %s"}, {"2045", "Center Line"},
      {"2046", "Item Callout"},      {"2049", "Note"},
      {"2050", "Callout"},           {"5601", "Center Line %d"},
  };
  for (const auto& [key, text] : english)
    texts.emplace(Key(modules, key), text);
  return texts;
}

struct Registry
{
  std::mutex mutex;
  std::map<Key, std::string> texts = ShippedTexts();
};

Registry& TheRegistry()
{
  static Registry registry;
  return registry;
}

} // namespace

void MessageCatalog::Register(const std::string& catalogue, const std::string& key, const std::string& text)
{
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.texts[Key(catalogue, key)] = text;
}

void MessageCatalog::Unregister(const std::string& catalogue, const std::string& key)
{
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  registry.texts.erase(Key(catalogue, key));
}

std::optional<std::string> MessageCatalog::Find(const std::string& catalogue, const std::string& key)
{
  Registry& registry = TheRegistry();
  std::lock_guard<std::mutex> lock(registry.mutex);
  auto found = registry.texts.find(Key(catalogue, key));
  if (found == registry.texts.end())
    return std::nullopt;
  return found->second;
}

} // namespace du
