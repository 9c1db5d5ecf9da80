#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <tqannotations/Export.h>
#include <tqannotations/StyleItem.h>

#include <string>
#include <vector>

namespace dg {
class XmlElem;
}

namespace tqannotations {

//! A list of drawing styles read from XML whose root is "lumbra-styles" with the one child
//! "styles"; each child of "styles" gives one StyleItem, in document order.
//!
//! The list only grows: every successful read appends to it. Input that cannot be read (a file
//! that does not open, text that is not well-formed XML, a different root) leaves it as it was;
//! nothing is reported and nothing is thrown. Copies share their StyleItem records. Not to be used
//! from two threads at once.
class TQANNOTATIONS_EXPORT DrawingToolsRW : public du::RefCounted
{
public:
  DrawingToolsRW();
  DrawingToolsRW(const DrawingToolsRW& other);
  DrawingToolsRW& operator=(const DrawingToolsRW& other);
  ~DrawingToolsRW() override;

  //! Reads a style list and appends its styles. input is XML text when it begins with exactly
  //! "<?xml " (lower case, with the blank), and otherwise the path of a file in UTF-8. Only a
  //! regular file of at most 64 MiB is read; a directory, a device or a pipe is treated as a
  //! missing file.
  void ParseStyleXML(const std::string& input);

  //! Appends the styles of an already parsed tree whose root is "lumbra-styles". The text
  //! argument is part of the host's call and is not read.
  void CreateListFromXml(dg::XmlElem* root, std::string text);

  //! Copy the attributes of a "line-style", "shape-style" or "text-style" element into item.
  //! Attributes that the element lacks leave their fields as they were.
  void AddLineStyleAtts(dg::XmlElem* element, du::SmartPtr<StyleItem> item);
  void AddShapeStyleAtts(dg::XmlElem* element, du::SmartPtr<StyleItem> item);
  void AddTextStyleAtts(dg::XmlElem* element, du::SmartPtr<StyleItem> item);

  //! Appends item to the list; a null item is not appended.
  void AddStyleItem(du::SmartPtr<StyleItem> item);

  //! A copy of the list, in reading order.
  std::vector<du::SmartPtr<StyleItem>> GetStyleList();

private:
  std::vector<du::SmartPtr<StyleItem>> m_styles;
};

} // namespace tqannotations
