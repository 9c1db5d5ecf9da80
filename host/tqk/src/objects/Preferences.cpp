#include <tqk/Preferences.h>

#include <mutex>

namespace tqk {

template <class T>
bool Preferences::Get(const std::string& key, T& value, bool* found) const
{
  std::shared_lock<std::shared_mutex> lock(m_mutex);
  const auto entry = m_values.find(key);
  const T* typed = entry != m_values.end() ? std::get_if<T>(&entry->second) : nullptr;
  if (typed)
    value = *typed;
  if (found)
    *found = typed != nullptr;
  return typed != nullptr;
}

bool Preferences::GetIntUIAsColor(const std::string& key, dg::Color& color, bool* found) const
{
  int packed = 0;
  if (!Get(key, packed, found))
    return false;
  color.Set(static_cast<unsigned>(packed));
  return true;
}

bool Preferences::GetString(const std::string& key, std::string& value, bool* found) const
{
  return Get(key, value, found);
}

bool Preferences::GetBool(const std::string& key, bool& value, bool* found) const
{
  return Get(key, value, found);
}

bool Preferences::GetFloat(const std::string& key, float& value, bool* found) const
{
  return Get(key, value, found);
}

bool Preferences::GetInt(const std::string& key, int& value, bool* found) const
{
  return Get(key, value, found);
}

void Preferences::Set(const std::string& key, Value value)
{
  std::unique_lock<std::shared_mutex> lock(m_mutex);
  m_values[key] = std::move(value);
}

void Preferences::SetString(const std::string& key, const std::string& value) { Set(key, value); }
void Preferences::SetBool(const std::string& key, bool value) { Set(key, value); }
void Preferences::SetFloat(const std::string& key, float value) { Set(key, value); }
void Preferences::SetInt(const std::string& key, int value) { Set(key, value); }

bool Preferences::Remove(const std::string& key)
{
  std::unique_lock<std::shared_mutex> lock(m_mutex);
  return m_values.erase(key) > 0;
}

void Preferences::Clear()
{
  std::unique_lock<std::shared_mutex> lock(m_mutex);
  m_values.clear();
}

} // namespace tqk
