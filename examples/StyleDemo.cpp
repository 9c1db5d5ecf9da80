// Reads the sample style list the way the host reads its drawing styles, and prints each style.

#include "DemoSteps.h"

#include <tqannotations/DrawingToolsRW.h>

#include <cstdio>

namespace {

void PrintStyle(const tqannotations::StyleItem& style)
{
  std::printf("  style %d \"%s\": %s (tool tip \"%s\")\n", style.id, style.name.c_str(),
              style.description.c_str(), style.tooltip.c_str());
  std::printf("    line:  weight \"%s\", colour \"%s\", halo %s \"%s\", dashes \"%s\"\n",
              style.lineWeight.c_str(), style.lineColor.c_str(), style.lineHalo ? "on" : "off",
              style.lineHaloColor.c_str(), style.lineDashes.c_str());
  std::printf("    shape: border %s, weight \"%s\", colour \"%s\", fill \"%s\"\n",
              style.shapeBorder ? "on" : "off", style.shapeWeight.c_str(), style.shapeColor.c_str(),
              style.shapeFillColor.c_str());
  std::printf("    text:  font \"%s\", size %d, colour \"%s\", decoration \"%s\"\n", style.textFont.c_str(),
              style.textSize, style.textColor.c_str(), style.textDecoration.c_str());
}

} // namespace

bool DemoStyleList(const char* path)
{
  std::printf("== Drawing styles from %s\n", path);
  const du::SmartPtr<tqannotations::DrawingToolsRW> tools(new tqannotations::DrawingToolsRW);
  tools->ParseStyleXML(path);
  const auto styles = tools->GetStyleList();
  for (const auto& style : styles)
    PrintStyle(*style);
  if (styles.empty())
    std::printf("  no styles could be read\n");
  return !styles.empty();
}
