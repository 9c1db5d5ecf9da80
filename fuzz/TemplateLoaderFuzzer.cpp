// Feeds arbitrary text to the template loader as an XML document, never as a URL, and reads
// every getter of what it makes, as a callout would.

#include <tqannotations/TemplateLoader.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

//! Reads everything a callout reads from a template; a missing part must give defaults, never
//! a crash.
void ReadLook(tqannotations::TAnnotation& annotation)
{
  volatile float sink = annotation.GetFontSize() + annotation.GetLineWidth() + annotation.GetDPI();
  sink = float(annotation.GetFontSizeUnit() + annotation.GetShape() + annotation.GetArrowStyle() +
               annotation.GetLineWidthUnit() + annotation.GetLineStipple() + annotation.GetHalo());
  sink = annotation.GetTextColor().r + annotation.GetFillColor().g + annotation.GetLineColor().b +
         annotation.GetHaloColor().a;
  sink = float(annotation.GetTextFace().size() + annotation.RequiresItemList() +
               annotation.RequiresPropertyVisitor());
  (void)sink;
  std::vector<du::SmartPtr<tqannotations::LabelContent>> items;
  annotation.GetTextContent(items);
  for (const auto& item : items) {
    if (!item)
      std::abort(); // the loader never stores an empty item
  }
  const tqannotations::TAnnotation copy(annotation);
  if (copy.GetShape() != annotation.GetShape())
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static tqannotations::TemplateLoader loader;
  std::vector<du::SmartPtr<tqannotations::TAnnotation>> templates;
  if (!loader.GetTemplateList(std::string(reinterpret_cast<const char*>(data), size), templates))
    std::abort(); // reading text fails only when the parser cannot be prepared
  for (const auto& annotation : templates) {
    if (!annotation)
      std::abort();
    ReadLook(*annotation);
  }
  return 0;
}
