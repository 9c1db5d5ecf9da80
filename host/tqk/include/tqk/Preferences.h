#pragma once

#include <dg/Color.h>
#include <du/RefCounted.h>

#include <map>
#include <shared_mutex>
#include <string>
#include <variant>

namespace tqk {

//! The host's preference store: typed values under slash-separated key paths such as
//! "Annotations/Centerline/weight".
//!
//! Each getter returns whether the key holds a value of its type; when it does not, the output is
//! left as it was, unless the caller passes a fallback, which is then copied to the output. The
//! setters are for tests and the example program, which play the user's settings.
class Preferences : public du::RefCounted
{
public:
  //! A colour kept as an integer packed 0xRRGGBB, as the preference dialogs keep it; alpha stays.
  bool GetIntUIAsColor(const std::string& key, dg::Color& color, const dg::Color* fallback = nullptr) const;
  bool GetString(const std::string& key, std::string& value, const std::string* fallback = nullptr) const;
  bool GetBool(const std::string& key, bool& value, const bool* fallback = nullptr) const;
  bool GetFloat(const std::string& key, float& value, const float* fallback = nullptr) const;
  bool GetInt(const std::string& key, int& value, const int* fallback = nullptr) const;

  void SetString(const std::string& key, const std::string& value);
  void SetBool(const std::string& key, bool value);
  void SetFloat(const std::string& key, float value);
  //! Also what GetIntUIAsColor reads: a colour as 0xRRGGBB.
  void SetInt(const std::string& key, int value);
  //! False when the key held nothing.
  bool Remove(const std::string& key);
  void Clear();

private:
  using Value = std::variant<std::string, bool, float, int>;

  template <class T>
  bool Get(const std::string& key, T& value, const T* fallback) const;
  void Set(const std::string& key, Value value);

  mutable std::shared_mutex m_mutex;
  std::map<std::string, Value> m_values;
};

} // namespace tqk
