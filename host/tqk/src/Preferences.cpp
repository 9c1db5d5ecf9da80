#include <tqk/Preferences.h>

#include <mutex>

namespace tqk {

template <class T>
bool Preferences::Get(const std::string& key, T& value, const T* fallback) const
{
  std::shared_lock<std::shared_mutex> lock(m_mutex);
  const auto found = m_values.find(key);
  if (found != m_values.end())
    if (const T* typed = std::get_if<T>(&found->second)) {
      value = *typed;
      return true;
    }
  if (fallback)
    value = *fallback;
  return false;
}

bool Preferences::GetIntUIAsColor(const std::string& key, dg::Color& color, const dg::Color* fallback) const
{
  int packed = 0;
  if (!Get(key, packed, static_cast<const int*>(nullptr))) {
    if (fallback)
      color = *fallback;
    return false;
  }
  color.Set(static_cast<unsigned>(packed));
  return true;
}

bool Preferences::GetString(const std::string& key, std::string& value, const std::string* fallback) const
{
  return Get(key, value, fallback);
}

bool Preferences::GetBool(const std::string& key, bool& value, const bool* fallback) const
{
  return Get(key, value, fallback);
}

bool Preferences::GetFloat(const std::string& key, float& value, const float* fallback) const
{
  return Get(key, value, fallback);
}

bool Preferences::GetInt(const std::string& key, int& value, const int* fallback) const
{
  return Get(key, value, fallback);
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
