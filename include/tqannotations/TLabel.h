#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqannotations/Export.h>
#include <tqannotations/LabelContent.h>
#include <tqannotations/TextProperties.h>

#include <cstdint>
#include <vector>

namespace tqannotations {

//! The label's part of a template: its shape, fill, base text attributes and text content.
class TQANNOTATIONS_EXPORT TLabel : public du::RefCounted
{
public:
  //! Not editable, a circle filled white, default text attributes, no content.
  TLabel() = default;
  //! A copy has its own content list, but the items in it are the source's own (shared).
  TLabel(const TLabel& other) = default;
  TLabel& operator=(const TLabel& other) = default;
  ~TLabel() override;

  //! The edit flag as the document gives it.
  bool canEdit = false;
  //! 0 circle, 1 square, 2 rectangle, 3 hexagon, 4 triangle up, 5 triangle down,
  //! 6 rounded rectangle, 12 no shape.
  int shape = 0;
  //! Packed as 0xRRGGBB.
  std::uint32_t fillColor = 0xFFFFFF;
  //! The attributes that content items start from.
  TextProperties text;
  //! The label's text, in document order.
  std::vector<du::SmartPtr<LabelContent>> contents;
};

} // namespace tqannotations
