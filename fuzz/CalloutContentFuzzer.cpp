// Feeds arbitrary bytes through the document store into a callout's reader. Whatever the callout
// takes must save, load and save to the same bytes, and show and draw in a scene of parts.

#include "ContentFuzzing.h"

#include <tqannotations/Callout.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  ContentFuzzing& fuzzing = ContentFuzzing::Get();
  const std::unique_ptr<tqk::SerializedContentElement> document = fuzzing.Read(data, size);
  const tqk::SerializedContentElement* content = document ? FirstChild(*document) : nullptr;
  if (!content)
    return 0;
  const du::SmartPtr<tqannotations::Callout> callout(new tqannotations::Callout);
  if (!callout->InitializeFromSerializedContent(content))
    return 0;
  fuzzing.CheckRoundTrip(*callout,
                         [](const tqk::SerializedContentElement& saved) -> du::SmartPtr<tqk::Annotation> {
                           const tqk::SerializedContentElement* again = FirstChild(saved);
                           du::SmartPtr<tqannotations::Callout> loaded(new tqannotations::Callout);
                           return again && loaded->InitializeFromSerializedContent(again) ? loaded : nullptr;
                         });
  fuzzing.ShowAndDraw(callout);
  return 0;
}
