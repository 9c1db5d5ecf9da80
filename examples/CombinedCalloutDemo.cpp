// Two callouts placed on parts of an illustration combined into one, shown, saved into a document
// file, and in a second run loaded from that file with the members' leaders rebuilt.

#include "DemoSteps.h"

#include <tqannotations/CombinedCallout.h>
#include <tqannotations/TemplateLoader.h>

#include <tqk/AnnoSet.h>
#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqmk/CalloutLabel.h>

#include <cstdio>

namespace {

using tqannotations::Callout;
using tqannotations::CombinedCallout;

//! The document of the combined callout, next to the callout's: "-combined" before ".xml".
std::string CombinedDocumentPath(const std::string& documentPath)
{
  const std::string extension = ".xml";
  const bool hasExtension =
      documentPath.size() >= extension.size() &&
      documentPath.compare(documentPath.size() - extension.size(), extension.size(), extension) == 0;
  const std::string stem =
      hasExtension ? documentPath.substr(0, documentPath.size() - extension.size()) : documentPath;
  return stem + "-combined" + extension;
}

template <class Annotation>
du::SmartPtr<Annotation> Create(const LoadedPlugin& plugin, const char* subtype)
{
  du::SmartPtr<du::RefCounted> component;
  std::fflush(stdout);
  if (!plugin.createComponent("create", "annotation", subtype, component))
    return nullptr;
  return du::SmartPtr<Annotation>::DynamicCast(component);
}

du::SmartPtr<tqannotations::TAnnotation> ItemNumberTemplate(const char* path)
{
  const du::SmartPtr<tqannotations::TemplateLoader> loader(new tqannotations::TemplateLoader);
  std::vector<du::SmartPtr<tqannotations::TAnnotation>> templates;
  loader->GetTemplateList(du::Symbol(std::string("file://") + path), templates);
  for (const auto& definition : templates)
    if (definition->id == "item-number")
      return definition;
  return nullptr;
}

//! What the host shows of a combined callout: its label and leader in the scene, and for each
//! member its item id and the parts of its leaders, which the members keep without being shown.
void PrintCombined(CombinedCallout& combined, const tqk::Scene& scene)
{
  std::printf("    %s, %u members, %s\n", combined.GetObjectDescription().c_str(), combined.GetCount(),
              combined.IsInitialized() ? "initialized" : "not initialized yet");
  for (const du::SmartPtr<tqk::Markup>& markup : scene.GetMarkups()) {
    if (const auto label = du::SmartPtr<tqmk::CalloutLabel>::DynamicCast(markup)) {
      const dg::DPoint3D position = label->GetPos();
      std::printf("    shown: label \"%s\" at (%.2f, %.2f, %.2f)\n", label->GetText().c_str(), position.x,
                  position.y, position.z);
    } else if (const auto leader = du::SmartPtr<tqannotations::CalloutLeader>::DynamicCast(markup)) {
      std::printf("    shown: leader to \"%s\"\n", leader->GetShapeInstanceId().c_str());
    }
  }
  for (const du::SmartPtr<Callout>& member : combined.GetCalloutVec()) {
    unsigned itemId = 0;
    member->GetItemId(itemId);
    std::printf("    member, item %u: %u leader records, %u leaders", itemId,
                member->GetLeaderLineCount(true), member->GetLeaderLineCount(false));
    for (unsigned index = 0; index < member->GetLeaderLineCount(false); ++index) {
      const du::SmartPtr<tqk::ShapeInstance> part = member->GetShapeInstanceAtPos(index);
      std::printf(" to \"%s\"", part ? part->GetInstance()->GetIDPath().GetText().c_str() : "");
    }
    std::printf("\n");
  }
}

//! Each member and the combined callout itself have a leader that stands on a part of the scene.
bool EveryLeaderStandsOnAPart(CombinedCallout& combined)
{
  bool ok = combined.GetShapeInstanceAtPos(0) != nullptr;
  for (const du::SmartPtr<Callout>& member : combined.GetCalloutVec())
    ok = ok && member->GetShapeInstanceAtPos(0) != nullptr;
  return ok;
}

du::SmartPtr<Callout> PlacedCallout(const LoadedPlugin& plugin,
                                    tqk::illustration::IllustrationBuilder& illustration,
                                    const du::SmartPtr<tqannotations::TAnnotation>& definition,
                                    const char* part, unsigned itemId)
{
  const du::SmartPtr<Callout> callout = Create<Callout>(plugin, "calloutlabel");
  const du::SmartPtr<tqk::ShapeInstance> shape = illustration.FindPart(part);
  if (!callout || !shape)
    return nullptr;
  callout->Initialize(definition, shape, false, nullptr);
  callout->SetLabelPosition(dg::DPoint3D(5, 40, 1));
  callout->SetItemId(itemId);
  callout->SetText(du::Symbol(std::to_string(itemId)));
  return callout;
}

bool SaveCombined(const LoadedPlugin& plugin, tqk::illustration::IllustrationBuilder& illustration,
                  const char* templatesPath, const std::string& documentPath)
{
  const auto definition = ItemNumberTemplate(templatesPath);
  const du::SmartPtr<CombinedCallout> combined = Create<CombinedCallout>(plugin, "combinedcallout");
  if (!definition || !combined) {
    std::printf("  the combined callout or its members' template is missing\n");
    return false;
  }
  CombinedCallout::Members members{PlacedCallout(plugin, illustration, definition, "frame/plate", 1),
                                   PlacedCallout(plugin, illustration, definition, "housing/cover", 3)};
  if (!members[0] || !members[1]) {
    std::printf("  the member callouts could not be placed\n");
    return false;
  }
  combined->Initialize(members);
  combined->SetText(du::Symbol("1, 3"));
  illustration.GetScene()->GetAnnoSet()->AddAnnotation(combined);
  combined->AttachScene(illustration.GetScene());
  std::printf("  callouts on \"frame/plate\" and \"housing/cover\" combined and shown:\n");
  PrintCombined(*combined, *illustration.GetScene());

  tqk::SerializedContentElement document;
  combined->Visit(document);
  std::string error;
  const bool written = tqk::DocumentStore::Write(document, documentPath, error);
  std::printf("  saved to %s: %s\n", documentPath.c_str(), written ? "done" : error.c_str());
  return written && EveryLeaderStandsOnAPart(*combined);
}

bool LoadCombined(const LoadedPlugin& plugin, tqk::illustration::IllustrationBuilder& illustration,
                  const std::string& documentPath)
{
  std::string error;
  const std::unique_ptr<tqk::SerializedContentElement> document =
      tqk::DocumentStore::Read(documentPath, error);
  if (!document || document->GetChildCount() != 1) {
    std::printf("  %s holds no saved combined callout: %s\n", documentPath.c_str(), error.c_str());
    return false;
  }
  const du::SmartPtr<CombinedCallout> combined = Create<CombinedCallout>(plugin, "combinedcallout");
  if (!combined || !combined->InitializeFromSerializedContent(document->GetEntries().front().child.get())) {
    std::printf("  the combined callout could not be loaded\n");
    return false;
  }
  std::printf("  loaded from %s:\n", documentPath.c_str());
  PrintCombined(*combined, *illustration.GetScene());
  illustration.GetScene()->GetAnnoSet()->AddAnnotation(combined);
  combined->AttachScene(illustration.GetScene());
  std::printf("  shown, with the members' leaders rebuilt:\n");
  PrintCombined(*combined, *illustration.GetScene());
  return combined->GetCount() == 2 && EveryLeaderStandsOnAPart(*combined);
}

} // namespace

bool DemoCombinedCallout(const LoadedPlugin& plugin, const char* templatesPath, const char* documentPath,
                         bool load)
{
  std::printf("== A combined callout of two callouts, %s\n", load ? "loaded" : "saved");
  const std::string combinedPath = CombinedDocumentPath(documentPath);
  tqk::illustration::IllustrationBuilder illustration;
  illustration.BuildSample();
  illustration.GetScene()->SetAnnoSet(new tqk::AnnoSet);
  const bool ok = load ? LoadCombined(plugin, illustration, combinedPath)
                       : SaveCombined(plugin, illustration, templatesPath, combinedPath);
  illustration.TearDown();
  return ok;
}
