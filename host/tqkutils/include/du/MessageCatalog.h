#pragma once

#include <optional>
#include <string>

namespace du {

//! The process's registry of message catalogues that du::Localizer reads.
//!
//! A catalogue is named like "tqbase:tqmodulesStrings" and maps keys to message texts. The
//! English texts of the keys that the annotation plug-in looks up are registered from the start;
//! programs and tests may add or replace texts. Safe to use from several threads.
class MessageCatalog
{
public:
  static void Register(const std::string& catalogue, const std::string& key, const std::string& text);
  static void Unregister(const std::string& catalogue, const std::string& key);
  static std::optional<std::string> Find(const std::string& catalogue, const std::string& key);
};

} // namespace du
