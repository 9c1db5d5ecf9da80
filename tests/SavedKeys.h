#pragma once

// Tables of every key an annotation's content writer writes, each with a value that is neither
// the one its reader starts from nor any other key's, and saved content given one such value.

#include <tqk/SerializedContentElement.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace saved_keys {

using Element = tqk::SerializedContentElement;

//! One key the writer writes, with the value a test gives it, or why it is given none.
struct Key
{
  const char* name;
  std::optional<Element::Value> value;
  const char* kept = nullptr; //!< why the saved value stays: the loader does not read it, say
};

//! The keys a test gives a value, each named by its key.
inline std::vector<Key> Valued(const std::vector<Key>& table)
{
  std::vector<Key> valued;
  std::copy_if(table.begin(), table.end(), std::back_inserter(valued),
               [](const Key& key) { return key.value; });
  return valued;
}
inline void PrintTo(const Key& key, std::ostream* out) { *out << key.name; }
inline std::string KeyName(const ::testing::TestParamInfo<Key>& info) { return info.param.name; }

//! Copies the content, the first property of the key given the key's value (of the type saved),
//! and expects every property to have a row of the table. Whether the key was found.
inline bool CopyWith(const Element& from, Element& to, const std::vector<Key>& table, const Key& key,
                     bool found = false)
{
  for (const Element::Entry& entry : from.GetEntries()) {
    if (entry.child) {
      found = CopyWith(*entry.child, to.StartContent(entry.key), table, key, found);
      continue;
    }
    EXPECT_TRUE(
        std::any_of(table.begin(), table.end(), [&](const Key& row) { return entry.key == row.name; }))
        << "no row for the saved key " << entry.key.GetText();
    const bool given = !found && entry.key == key.name && key.value->index() == entry.value.index();
    found = found || given;
    std::visit([&](const auto& value) { to.AddProperty(entry.key, value); },
               given ? *key.value : entry.value);
  }
  return found;
}

} // namespace saved_keys
