// Creates a callout through the factory as the host does, and shows its values before and after
// it takes the look of a sample template.

#include "DemoSteps.h"

#include <tqannotations/Callout.h>
#include <tqannotations/TemplateLoader.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using tqannotations::Callout;

const char* KindName(Callout::CALLOUT_TYPE kind)
{
  switch (kind) {
  case Callout::CALLOUT_ITEM: return "item callout";
  case Callout::CALLOUT_NOTE: return "note";
  case Callout::CALLOUT_LEADERS: return "callout with leaders";
  }
  return "unknown kind";
}

void PrintCallout(Callout& callout)
{
  std::printf("    %s, %s, text \"%s\"\n", KindName(callout.GetType()),
              callout.IsInitialized() ? "placed" : "not placed yet", callout.GetText().c_str());
  std::printf("    label: shape %d, text #%06X on #%06X, font \"%s\" %.2f pt\n", int(callout.GetShape()),
              callout.GetFontColor().GetAsHex(), callout.GetBackgroundColor().GetAsHex(),
              callout.GetFontFace().c_str(), callout.GetFontSize());
  std::printf("    lines: %.2f pt, #%06X, stipple %d, arrows %d, halo %s\n", callout.GetLineWidth(),
              callout.GetLineColor().GetAsHex(), callout.GetLineStipple(), callout.GetArrowStyle(),
              callout.GetHalo() ? "on" : "off");
}

du::SmartPtr<tqannotations::TAnnotation> FirstTemplate(const char* path)
{
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  const du::SmartPtr<tqannotations::TemplateLoader> loader(new tqannotations::TemplateLoader);
  std::vector<du::SmartPtr<tqannotations::TAnnotation>> templates;
  if (!file || !loader->GetTemplateList(text.str(), templates) || templates.empty())
    return nullptr;
  return templates.front();
}

} // namespace

bool DemoCallout(const LoadedPlugin& plugin, const char* templatesPath)
{
  std::printf("== A callout from the factory\n");
  du::SmartPtr<du::RefCounted> component;
  std::fflush(stdout);
  if (!plugin.createComponent("create", "annotation", "calloutlabel", component)) {
    std::printf("  the factory made no callout\n");
    return false;
  }
  const auto callout = du::SmartPtr<Callout>::DynamicCast(component);
  if (!callout) {
    std::printf("  the factory's \"calloutlabel\" is not a callout\n");
    return false;
  }
  std::printf("  new: %s\n", callout->GetObjectDescription().c_str());
  PrintCallout(*callout);

  const du::SmartPtr<tqannotations::TAnnotation> definition = FirstTemplate(templatesPath);
  if (!definition) {
    std::printf("  no sample template could be read\n");
    return false;
  }
  callout->UpdateDefinition(definition);
  std::printf("  with template \"%s\":\n", definition->id.c_str());
  PrintCallout(*callout);
  return callout->GetDefinition() && callout->GetFontFace() == definition->GetTextFace();
}
