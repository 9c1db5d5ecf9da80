// Reads the sample annotation templates the way the host reads them, and prints each one's look.

#include "DemoSteps.h"

#include <du/MessageCatalog.h>
#include <tqannotations/TemplateLoader.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using tqannotations::TAnnotation;

const char* ShapeName(int shape)
{
  switch (shape) {
  case 0: return "circle";
  case 1: return "square";
  case 2: return "rectangle";
  case 3: return "hexagon";
  case 4: return "triangle up";
  case 5: return "triangle down";
  case 6: return "rounded rectangle";
  case 12: return "no shape";
  default: return "unknown shape";
  }
}

const char* UnitName(int unit)
{
  switch (unit) {
  case 0: return "mm";
  case 1: return "cm";
  case 2: return "in";
  default: return "px";
  }
}

const char* DashName(int dashes)
{
  static const char* const names[] = {
      "solid",         "dot-dash",       "dot-dot-dash",  "dot-dot-dot",
      "dash-dot-dash", "dash-dash-dash", "long-dash-dot", "four dots and a break"};
  return dashes >= 0 && dashes < 8 ? names[dashes] : "unknown pattern";
}

const char* ArrowName(int arrowStyle)
{
  static const char* const names[] = {"none to none",   "arrow to arrow", "none to arrow",
                                      "arrow to none",  "none to round",  "round to none",
                                      "round to arrow", "round to round", "arrow to round"};
  return arrowStyle >= 0 && arrowStyle < 9 ? names[arrowStyle] : "unknown arrows";
}

unsigned Hex(const dg::Color& color) { return color.GetAsHex(); }

void PrintTemplate(TAnnotation& annotation)
{
  std::printf("  template \"%s\": %s%s\n", annotation.id.c_str(), annotation.name.c_str(),
              annotation.hasLeaders ? " (with leader lines)" : " (a note)");
  std::printf("    about:   %s; tool tip \"%s\"; thumbnail \"%s\"\n", annotation.description.c_str(),
              annotation.tooltip.c_str(), annotation.thumbnail.c_str());
  std::printf("    label:   %s, fill #%06X, text #%06X, font \"%s\" %g %s\n",
              ShapeName(annotation.GetShape()), Hex(annotation.GetFillColor()),
              Hex(annotation.GetTextColor()), annotation.GetTextFace().c_str(), annotation.GetFontSize(),
              UnitName(annotation.GetFontSizeUnit()));
  std::printf("    line:    %g %s, #%06X, %s, halo %s #%06X, arrows %s\n", annotation.GetLineWidth(),
              UnitName(annotation.GetLineWidthUnit()), Hex(annotation.GetLineColor()),
              DashName(annotation.GetLineStipple()), annotation.GetHalo() ? "on" : "off",
              Hex(annotation.GetHaloColor()), ArrowName(annotation.GetArrowStyle()));
  std::vector<du::SmartPtr<tqannotations::LabelContent>> items;
  annotation.GetTextContent(items);
  std::printf("    content:");
  for (const auto& item : items) {
    if (item->isProperty)
      std::printf(" [%s/%s]", item->text.c_str(), item->propertyName.c_str());
    else if (item->text == "\n")
      std::printf(" <line break>");
    else
      std::printf(" \"%s\"", item->text.c_str());
    std::printf("{%s %g %s}", item->properties.font.c_str(), item->properties.size,
                UnitName(item->properties.sizeUnit));
  }
  std::printf("\n    needs:   item list %s, property visitor %s\n",
              annotation.RequiresItemList() ? "yes" : "no",
              annotation.RequiresPropertyVisitor() ? "yes" : "no");
}

} // namespace

bool DemoTemplates(const char* path)
{
  std::printf("== Annotation templates from %s\n", path);
  // The host's catalogue holds the localised names that templates refer to by "locid".
  du::MessageCatalog::Register("tqplugins/lumbrastartup:lumbraAppStrings", "sample.itemNumber.name",
                               "Item number (from the catalogue)");

  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  const du::SmartPtr<tqannotations::TemplateLoader> loader(new tqannotations::TemplateLoader);
  std::vector<du::SmartPtr<TAnnotation>> templates;
  if (!file || !loader->GetTemplateList(text.str(), templates)) {
    std::printf("  the template document could not be read\n");
    return false;
  }
  for (const auto& annotation : templates)
    PrintTemplate(*annotation);
  if (templates.empty())
    std::printf("  no templates could be read\n");
  return !templates.empty();
}
