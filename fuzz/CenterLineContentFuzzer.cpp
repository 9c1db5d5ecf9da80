// Feeds arbitrary bytes through the document store into a center line's reader. Whatever the line
// takes must save, load and save to the same bytes, and show and draw in a scene of parts:
// restyled with the end points it loaded, and measured again on the picks the host finds again.

#include "ContentFuzzing.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/AsyncEvent.h>
#include <tqk/Kernel.h>
#include <tqk/SelectionItemRepresentation.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>

#include <vector>

namespace {

using tqannotations::CenterLinesAnnotation;

//! The stored picks found again in the sample's structure tree, as the host finds them.
std::vector<du::SmartPtr<tqk::SelectionItem>> FindStoredPicks(const CenterLinesAnnotation& line,
                                                              const tqk::illustration::SbomTree& tree)
{
  std::vector<du::SmartPtr<tqk::SelectionItem>> items;
  for (const du::ConstSmartPtr<tqk::SelectionItemRepresentation>& stored : line.GetStoredSelections()) {
    std::string idPath;
    if (!stored || !stored->GetField(tqk::illustration::SbomInstanceSelectionItem::ID_FIELD, idPath))
      continue;
    du::SmartPtr<tqk::SelectionItem> item(
        new tqk::illustration::SbomInstanceSelectionItem(tree.FindInstance(du::Symbol(idPath))));
    item->SetContentType(stored->GetContentType());
    items.push_back(item);
  }
  return items;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  ContentFuzzing& fuzzing = ContentFuzzing::Get();
  const std::unique_ptr<tqk::SerializedContentElement> document = fuzzing.Read(data, size);
  if (!document)
    return 0;
  const du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation);
  if (!line->InitializeFromSerializedContent(document.get()))
    return 0;
  fuzzing.CheckRoundTrip(*line,
                         [](const tqk::SerializedContentElement& saved) -> du::SmartPtr<tqk::Annotation> {
                           du::SmartPtr<CenterLinesAnnotation> loaded(new CenterLinesAnnotation);
                           return loaded->InitializeFromSerializedContent(&saved) ? loaded : nullptr;
                         });
  fuzzing.ShowAndDraw(line, [&] {
    tqannotations::CenterStyle style;
    line->GetLineStyle(style);
    style.lineWidth += 1.0f;
    line->SetLineStyle(style, tqannotations::CenterStyle::LINE_WIDTH);
    const du::SmartPtr<tqk::AsyncEvent> request(new tqk::AsyncEvent);
    line->SetObjects(FindStoredPicks(*line, *fuzzing.Illustration().GetTree()), request, true);
    tqk::Kernel::GetKernel()->PumpQueue();
  });
  return 0;
}
