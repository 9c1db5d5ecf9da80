#pragma once

#include <du/RefCounted.h>
#include <tqannotations/Export.h>
#include <tqannotations/TextProperties.h>

#include <cstdint>
#include <string>

namespace tqannotations {

//! One item of a label's text: either fixed text or a reference to a property of the part that
//! the callout points at. Shared by counted reference between a template and its copies.
class TQANNOTATIONS_EXPORT LabelContent : public du::RefCounted
{
public:
  //! A fixed-text item with a copy of the given attributes.
  LabelContent(const std::string& fixedText, TextProperties& attributes);
  //! A property item: the property named nameInCategory in the given category, with a copy of
  //! the given attributes.
  LabelContent(const std::string& category, const std::string& nameInCategory, TextProperties& attributes);
  ~LabelContent() override;

  //! 0: fixed text; 1: a reference to a property of the part.
  std::int32_t isProperty;
  TextProperties properties;
  //! The fixed text; for a property item the property's category.
  std::string text;
  //! For a property item the property's name; empty for fixed text.
  std::string propertyName;
};

} // namespace tqannotations
