#include "DemoSteps.h"
#include "support/ScratchFolder.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/CenterLinesRepresentation.h>
#include <tqk/AnnoSet.h>
#include <tqk/AsyncEvent.h>
#include <tqk/DocumentStore.h>
#include <tqk/Kernel.h>
#include <tqk/SelectionItemRepresentation.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/mcad_selection.h>
#include <tqk/illustration/IllustrationBuilder.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>

#include <cstdio>
#include <string>

namespace {

using tqannotations::CenterLinesAnnotation;

du::SmartPtr<CenterLinesAnnotation> CreateCenterLine(const LoadedPlugin& plugin)
{
  du::SmartPtr<du::RefCounted> component;
  plugin.createComponent("create", "annotation", "centerline", component);
  return du::SmartPtr<CenterLinesAnnotation>::DynamicCast(component);
}

//! The item of a part of the illustration's structure tree, as the user picks it.
du::SmartPtr<tqk::SelectionItem> PartItem(const tqk::illustration::IllustrationBuilder& builder,
                                          const char* idPath)
{
  du::SmartPtr<tqk::SelectionItem> item(
      new tqk::illustration::SbomInstanceSelectionItem(builder.GetTree()->FindInstance(du::Symbol(idPath))));
  item->SetContentType(tqk::mcad_selection::Instance);
  return item;
}

//! The picks a loaded line kept, found again in the structure tree as the host finds them.
std::vector<du::SmartPtr<tqk::SelectionItem>>
FindStoredPicks(const tqk::illustration::IllustrationBuilder& builder, const CenterLinesAnnotation& line)
{
  std::vector<du::SmartPtr<tqk::SelectionItem>> items;
  for (const du::ConstSmartPtr<tqk::SelectionItemRepresentation>& stored : line.GetStoredSelections()) {
    std::string idPath;
    if (!stored->GetField(tqk::illustration::SbomInstanceSelectionItem::ID_FIELD, idPath))
      continue;
    du::SmartPtr<tqk::SelectionItem> item(new tqk::illustration::SbomInstanceSelectionItem(
        builder.GetTree()->FindInstance(du::Symbol(idPath))));
    item->SetContentType(stored->GetContentType());
    items.push_back(item);
  }
  return items;
}

//! Prints the ends of the line as drawn; false when it draws nothing.
bool PrintDrawnLine(const char* what, const CenterLinesAnnotation& line)
{
  std::vector<du::SmartPtr<tqannotations::CenterLinesRepresentation>> drawn;
  line.GetRepresentations(drawn);
  if (drawn.empty()) {
    std::printf("  %s: nothing drawn\n", what);
    return false;
  }
  dg::DPoint3D first;
  dg::DPoint3D second;
  drawn[0]->GetPoints(first, second);
  std::printf("  %s: from (%g, %g, %g) to (%g, %g, %g)\n", what, first.x, first.y, first.z, second.x,
              second.y, second.z);
  return true;
}

const char* StatusText(const tqk::AsyncEvent& request)
{
  switch (request.GetStatus()) {
  case tqk::BaseAsyncEvent::COMPLETED: return "completed";
  case tqk::BaseAsyncEvent::FAILED: return "failed";
  default: return "pending";
  }
}

} // namespace

bool DemoCenterLines(const LoadedPlugin& plugin)
{
  std::printf("== Center lines\n");
  tqk::illustration::IllustrationBuilder builder;
  builder.BuildSample();
  const du::SmartPtr<tqk::Kernel> kernel = tqk::Kernel::GetKernel();

  const du::SmartPtr<CenterLinesAnnotation> line = CreateCenterLine(plugin);
  if (!line)
    return false;
  line->AttachScene(builder.GetScene());
  du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
  line->SetObjects({PartItem(builder, "frame/plate"), PartItem(builder, "housing/cover")}, request, true);
  std::printf("  picked the plate and the cover; request %s until the kernel answers\n",
              StatusText(*request));
  kernel->PumpQueue();
  std::printf("  request %s, %zu markup(s) in the scene\n", StatusText(*request),
              builder.GetScene()->GetMarkupCount());
  bool ok = request->GetStatus() == tqk::BaseAsyncEvent::COMPLETED && PrintDrawnLine("drawn", *line);

  tqk::SerializedContentElement document(du::Symbol("document"));
  line->Visit(document);
  const tqsupport::ScratchFolder scratch("tqhost-demo-centerline");
  const std::string path = scratch.File("centerline.xml");
  std::string error = scratch.Error();
  if (!scratch.IsMade() || !tqk::DocumentStore::Write(document, path, error)) {
    std::printf("  cannot save: %s\n", error.c_str());
    return false;
  }
  const std::unique_ptr<tqk::SerializedContentElement> loaded = tqk::DocumentStore::Read(path, error);
  const du::SmartPtr<CenterLinesAnnotation> reloaded = CreateCenterLine(plugin);
  if (!loaded || !reloaded)
    return false;
  const bool read = reloaded->InitializeFromSerializedContent(loaded.get());
  reloaded->AttachScene(builder.GetScene());
  const std::vector<du::SmartPtr<tqk::SelectionItem>> picks = FindStoredPicks(builder, *reloaded);
  std::printf("  saved and loaded back (%s); %zu pick(s) found again\n",
              read ? "its picks restored" : "without its picks", picks.size());
  // A loaded line keeps its saved ends; measuring it again only ties it to its picks anew.
  request = new tqk::AsyncEvent;
  reloaded->SetObjects(picks, request, true);
  kernel->PumpQueue();
  std::printf("  measured again: request %s\n", StatusText(*request));
  ok = read && request->GetStatus() == tqk::BaseAsyncEvent::COMPLETED &&
       PrintDrawnLine("loaded", *reloaded) && ok;

  line->DetachScene();
  reloaded->DetachScene();
  builder.TearDown();
  kernel->PumpQueue();
  return ok;
}
