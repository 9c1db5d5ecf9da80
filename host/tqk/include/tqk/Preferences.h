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
//! left as it was. A caller that keeps the answer beside the value passes a flag as the third
//! argument, which then receives the same answer (null: none). The setters are for tests and the
//! example program, which play the user's settings.
class Preferences : public du::RefCounted
{
public:
  //! A colour kept as an integer packed 0xRRGGBB, as the preference dialogs keep it; alpha stays.
  bool GetIntUIAsColor(const std::string& key, dg::Color& color, bool* found = nullptr) const;
  bool GetString(const std::string& key, std::string& value, bool* found = nullptr) const;
  bool GetBool(const std::string& key, bool& value, bool* found = nullptr) const;
  bool GetFloat(const std::string& key, float& value, bool* found = nullptr) const;
  bool GetInt(const std::string& key, int& value, bool* found = nullptr) const;

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
  bool Get(const std::string& key, T& value, bool* found) const;
  void Set(const std::string& key, Value value);

  mutable std::shared_mutex m_mutex;
  std::map<std::string, Value> m_values;
};

} // namespace tqk
