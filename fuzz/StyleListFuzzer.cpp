// Feeds arbitrary text to the style list reader as XML text, never as a file path.

#include <tqannotations/DrawingToolsRW.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  // Input that does not begin with the declaration would be taken as a path; giving it one keeps
  // every run on the text reader and away from the file system.
  static const std::string kDeclaration = "<?xml ";
  std::string text(reinterpret_cast<const char*>(data), size);
  if (text.compare(0, kDeclaration.size(), kDeclaration) != 0)
    text.insert(0, kDeclaration);

  tqannotations::DrawingToolsRW tools;
  tools.ParseStyleXML(text);
  for (const auto& item : tools.GetStyleList()) {
    if (!item)
      std::abort(); // the list never holds a null item
  }
  return 0;
}
