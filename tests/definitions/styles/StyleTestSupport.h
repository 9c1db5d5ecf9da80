#pragma once

#include <tqannotations/DrawingToolsRW.h>

#include <string>
#include <vector>

namespace styletest {

//! A whole style list document whose "styles" element holds the given children.
inline std::string Document(const std::string& styles)
{
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<lumbra-styles><styles>" + styles +
         "</styles></lumbra-styles>\n";
}

//! The names of the list's items, in order.
inline std::vector<std::string> Names(tqannotations::DrawingToolsRW& tools)
{
  std::vector<std::string> names;
  for (const auto& item : tools.GetStyleList())
    names.push_back(item->name);
  return names;
}

//! A list that already holds one item named "before", so that "unchanged" is told from "empty".
inline tqannotations::DrawingToolsRW ListWithOneStyle()
{
  tqannotations::DrawingToolsRW tools;
  tools.ParseStyleXML(Document("<style><name>before</name></style>"));
  return tools;
}

} // namespace styletest
