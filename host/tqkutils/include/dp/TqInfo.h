#pragma once

#include <string>

namespace dp {

//! Facts about the running host.
class TqInfo
{
public:
  //! The user-interface language as a language tag such as "en"; false when none is set.
  static bool GetCurrentLanguage(std::string& language);
  //! Sets the language; an empty text means none.
  static void SetCurrentLanguage(const std::string& language);
};

} // namespace dp
