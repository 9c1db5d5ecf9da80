#pragma once

#include <du/RefCounted.h>
#include <tqannotations/Export.h>

#include <string>

namespace tqannotations {

//! One named drawing style of a style list: the line, shape and text attributes offered to the
//! user. Read from a "style" element by DrawingToolsRW.
//!
//! The host reads the fields directly, so their order and types are part of the interface. Texts
//! hold the values exactly as the XML gives them, untrimmed and unparsed: a colour stays in the
//! file's notation, a weight keeps its unit. Only the identifier, the two flags and the text size
//! are converted.
class TQANNOTATIONS_EXPORT StyleItem : public du::RefCounted
{
public:
  //! All texts empty, the identifier and the text size 0, both flags false.
  StyleItem();
  ~StyleItem() override;

  int id = 0;                 //!< attribute "id" of "style"
  std::string name;           //!< text of the child "name"
  std::string description;    //!< text of the child "description"
  std::string tooltip;        //!< text of the child "tooltip"
  std::string lineWeight;     //!< "line-style" attribute "weight"
  std::string lineColor;      //!< "line-style" attribute "color"
  bool lineHalo = false;      //!< "line-style" attribute "halo"
  std::string lineHaloColor;  //!< "line-style" attribute "halo-color"
  std::string lineDashes;     //!< "line-style" attribute "dashes"
  bool shapeBorder = false;   //!< "shape-style" attribute "border"
  std::string shapeWeight;    //!< "shape-style" attribute "weight"
  std::string shapeColor;     //!< "shape-style" attribute "color"
  std::string shapeFillColor; //!< "shape-style" attribute "fill-color"
  std::string textFont;       //!< "text-style" attribute "font"
  int textSize = 0;           //!< "text-style" attribute "size"
  std::string textColor;      //!< "text-style" attribute "color"
  std::string textDecoration; //!< "text-style" attribute "decoration"
};

} // namespace tqannotations
