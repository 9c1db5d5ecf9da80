// Feeds arbitrary bytes through the document store into a combined callout's reader. Whatever it
// takes must save, load and save to the same bytes, and show and draw in a scene of parts, where
// a loaded combined callout is built from its members.

#include "ContentFuzzing.h"

#include <tqannotations/CombinedCallout.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  ContentFuzzing& fuzzing = ContentFuzzing::Get();
  const std::unique_ptr<tqk::SerializedContentElement> document = fuzzing.Read(data, size);
  const tqk::SerializedContentElement* content = document ? FirstChild(*document) : nullptr;
  if (!content)
    return 0;
  const du::SmartPtr<tqannotations::CombinedCallout> combined(new tqannotations::CombinedCallout);
  if (!combined->InitializeFromSerializedContent(content))
    return 0;
  fuzzing.CheckRoundTrip(
      *combined, [](const tqk::SerializedContentElement& saved) -> du::SmartPtr<tqk::Annotation> {
        const tqk::SerializedContentElement* again = FirstChild(saved);
        du::SmartPtr<tqannotations::CombinedCallout> loaded(new tqannotations::CombinedCallout);
        // A combined callout that wrote nothing has nothing to load: it stays as new.
        return !again || loaded->InitializeFromSerializedContent(again) ? loaded : nullptr;
      });
  fuzzing.ShowAndDraw(combined);
  return 0;
}
