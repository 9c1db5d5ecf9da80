// The road of one request: a callout placed on a part of an illustration, shown, saved into a
// document file, and in a second run loaded from that file and shown again.

#include "DemoSteps.h"

#include <tqannotations/Callout.h>
#include <tqannotations/TemplateLoader.h>

#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqmk/CalloutLabel.h>
#include <tqmu/Primitives.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using tqannotations::Callout;

void PrintPoint(const dg::DPoint3D& point) { std::printf("(%.2f, %.2f, %.2f)", point.x, point.y, point.z); }

//! Draws the view as the host does, then prints every markup of the scene.
void PrintScene(tqk::illustration::IllustrationBuilder& illustration)
{
  tqmu::Primitives primitives;
  illustration.GetView()->Redraw(primitives);
  for (const du::SmartPtr<tqk::Markup>& markup : illustration.GetScene()->GetMarkups()) {
    if (const auto label = du::SmartPtr<tqmk::CalloutLabel>::DynamicCast(markup)) {
      std::printf("    label \"%s\" at ", label->GetText().c_str());
      PrintPoint(label->GetPos());
      std::printf(", shape %d\n", int(label->GetShape()));
    } else if (const auto leader = du::SmartPtr<tqannotations::CalloutLeader>::DynamicCast(markup)) {
      const std::vector<dg::DPoint3D> points = leader->GetPoints();
      std::printf("    leader to \"%s\": ", leader->GetShapeInstanceId().c_str());
      PrintPoint(points.front());
      std::printf(" -> ");
      PrintPoint(points.back());
      std::printf(", %d px\n", leader->GetLineWidth());
    }
  }
}

du::SmartPtr<Callout> CreateCallout(const LoadedPlugin& plugin)
{
  du::SmartPtr<du::RefCounted> component;
  std::fflush(stdout);
  if (!plugin.createComponent("create", "annotation", "calloutlabel", component))
    return nullptr;
  return du::SmartPtr<Callout>::DynamicCast(component);
}

du::SmartPtr<tqannotations::TAnnotation> TemplateWithLeaders(const char* path)
{
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  const du::SmartPtr<tqannotations::TemplateLoader> loader(new tqannotations::TemplateLoader);
  std::vector<du::SmartPtr<tqannotations::TAnnotation>> templates;
  loader->GetTemplateList(text.str(), templates);
  for (const auto& definition : templates)
    if (definition->hasLeaders)
      return definition;
  return nullptr;
}

bool SaveRoad(const LoadedPlugin& plugin, tqk::illustration::IllustrationBuilder& illustration,
              const char* templatesPath, const char* documentPath)
{
  const du::SmartPtr<Callout> callout = CreateCallout(plugin);
  const auto definition = TemplateWithLeaders(templatesPath);
  const auto rib = illustration.FindPart("frame/rib");
  const auto cover = illustration.FindPart("housing/cover");
  if (!callout || !definition || !rib || !cover) {
    std::printf("  the callout, its template or the parts are missing\n");
    return false;
  }
  callout->Initialize(definition, rib, true, illustration.GetTree()->FindInstance(du::Symbol("frame")));
  dg::DPoint3D anchor;
  callout->CalculateAnchor(cover, anchor);
  callout->ConnectLeader(callout->CreateCalloutLeader(anchor, cover, nullptr));
  callout->SetLabelPosition(dg::DPoint3D(5, 40, 1));
  callout->SetText(du::Symbol("2"));
  callout->AttachScene(illustration.GetScene());
  std::printf("  placed on \"frame/rib\" and \"housing/cover\" and shown:\n");
  PrintScene(illustration);
  const bool dragged = DemoCalloutDrags(callout, illustration);

  tqk::SerializedContentElement document;
  callout->Visit(document);
  std::string error;
  const bool written = tqk::DocumentStore::Write(document, documentPath, error);
  std::printf("  saved to %s: %s\n", documentPath, written ? "done" : error.c_str());
  callout->DetachScene();
  return written && dragged;
}

bool LoadRoad(const LoadedPlugin& plugin, tqk::illustration::IllustrationBuilder& illustration,
              const char* documentPath)
{
  std::string error;
  const std::unique_ptr<tqk::SerializedContentElement> document =
      tqk::DocumentStore::Read(documentPath, error);
  if (!document || document->GetChildCount() != 1) {
    std::printf("  %s holds no saved callout: %s\n", documentPath, error.c_str());
    return false;
  }
  const du::SmartPtr<Callout> callout = CreateCallout(plugin);
  if (!callout || !callout->InitializeFromSerializedContent(document->GetEntries().front().child.get())) {
    std::printf("  the callout could not be loaded\n");
    return false;
  }
  callout->AttachScene(illustration.GetScene());
  std::printf("  loaded from %s and shown:\n", documentPath);
  PrintScene(illustration);
  callout->DetachScene();
  return callout->GetLeaderLineCount(false) == 2;
}

} // namespace

bool DemoCalloutRoad(const LoadedPlugin& plugin, const char* templatesPath, const char* documentPath,
                     bool load)
{
  std::printf("== A callout on the parts of an illustration, %s\n", load ? "loaded" : "saved");
  tqk::illustration::IllustrationBuilder illustration;
  illustration.BuildSample();
  const bool ok = load ? LoadRoad(plugin, illustration, documentPath)
                       : SaveRoad(plugin, illustration, templatesPath, documentPath);
  illustration.TearDown();
  return ok;
}
