#pragma once

#include <tqannotations/Export.h>

#include <cstdint>
#include <string>

namespace tqannotations {

//! The text attributes of a template's label and of each of its content items: a plain value,
//! copied member by member.
class TQANNOTATIONS_EXPORT TextProperties
{
public:
  //! "arial", 10 in pixels, no decoration, black.
  TextProperties() = default;
  TextProperties(const TextProperties&) = default;
  TextProperties& operator=(const TextProperties&) = default;

  std::string font = "arial";
  float size = 10.0f;
  //! 0 millimetre, 1 centimetre, 2 inch, 3 pixel.
  int sizeUnit = 3;
  //! Kept as the document wrote it; its meaning is left to whoever draws the text.
  std::string decoration;
  //! Packed as 0xRRGGBB.
  std::uint32_t color = 0;
};

} // namespace tqannotations
