#include <dp/TqInfo.h>

#include <mutex>

namespace dp {
namespace {

std::mutex g_mutex;
std::string& Language()
{
  static std::string language = "en";
  return language;
}

} // namespace

bool TqInfo::GetCurrentLanguage(std::string& language)
{
  std::lock_guard<std::mutex> lock(g_mutex);
  if (Language().empty())
    return false;
  language = Language();
  return true;
}

void TqInfo::SetCurrentLanguage(const std::string& language)
{
  std::lock_guard<std::mutex> lock(g_mutex);
  Language() = language;
}

} // namespace dp
