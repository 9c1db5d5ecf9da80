#pragma once

#include <du/Symbol.h>

#include <unordered_map>

namespace du {

//! Hash map keyed by any hashable value; with du::Symbol keys it hashes the interned identity.
template <class Key, class Value>
using HashMap = std::unordered_map<Key, Value>;

} // namespace du
