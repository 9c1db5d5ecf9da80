#pragma once

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/AnnoSet.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/View.h>

#include <set>
#include <string>

class EventLog;

namespace centerline_tests {

//! Everything the host and the user can see of a center line, as text, one "key: value" line per
//! item in a fixed order, so that two pictures compare as strings and a difference reads as a diff:
//! - "draw ...": each markup of the line in its scene, in scene order, as the drawing model gets it;
//! - "save ...": the whole content the line writes;
//! - "told ...": what its annotation set, its observers and the undo history heard since the last
//!   picture (taking the picture starts the next count, and takes the document's modified mark as
//!   saved);
//! - "read ...": what the host reads through the exported getters;
//! - "identity ...": what is the line's own and no copy shares (id, set membership, origin).
std::string Picture(tqannotations::CenterLinesAnnotation& line, const du::SmartPtr<tqk::View>& view,
                    EventLog* log = nullptr);

//! The saved content alone.
std::string Saved(const tqannotations::CenterLinesAnnotation& line);
//! Content as Saved writes it, from the element that holds the line's.
std::string Saved(const tqk::SerializedContentElement& root);

//! The picture without the lines whose key starts with one of the prefixes ("told", "identity").
std::string Without(const std::string& picture, std::initializer_list<const char*> prefixes);

//! The lines of the picture whose key starts with one of the prefixes.
std::string Only(const std::string& picture, std::initializer_list<const char*> prefixes);

//! The keys of the lines that differ between the pictures, each once, in order of appearance.
std::string ChangedKeys(const std::string& before, const std::string& after);

} // namespace centerline_tests
