#pragma once

#include <tqannotations/TemplateLoader.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace templatetest {

using Templates = std::vector<du::SmartPtr<tqannotations::TAnnotation>>;

//! Reads a document given as text into a new list; reading text always succeeds.
inline Templates Load(const std::string& xml)
{
  Templates templates;
  EXPECT_TRUE(tqannotations::TemplateLoader().GetTemplateList(xml, templates));
  return templates;
}

//! A whole document holding the given annotation elements.
inline std::string Document(const std::string& annotations)
{
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<lumbra-annotations><annotations>" + annotations +
         "</annotations></lumbra-annotations>";
}

//! The one template read from a document of one annotation whose label has the given children.
inline du::SmartPtr<tqannotations::TAnnotation> LoadLabel(const std::string& labelChildren)
{
  Templates templates =
      Load(Document("<annotation id=\"a\"><label>" + labelChildren + "</label></annotation>"));
  return templates.size() == 1 ? templates[0] : nullptr;
}

//! The line style read from one "line-style" element with the given attributes.
inline du::SmartPtr<tqannotations::LineStyle> LoadLineStyle(const std::string& attributes)
{
  Templates templates =
      Load(Document("<annotation><leaders><line-style " + attributes + "/></leaders></annotation>"));
  if (templates.size() != 1 || !templates[0]->leaders || templates[0]->leaders->styles.size() != 1)
    return nullptr;
  return templates[0]->leaders->styles[0];
}

//! The texts of a label's content items, in order.
inline std::vector<std::string> ItemTexts(const tqannotations::TAnnotation& annotation)
{
  std::vector<std::string> texts;
  if (annotation.label) {
    for (const auto& item : annotation.label->contents)
      texts.push_back(item->text);
  }
  return texts;
}

} // namespace templatetest
