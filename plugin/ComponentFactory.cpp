#include "plugin/ComponentFactory.h"

#include "common/SharedHeaderKeys.h"

#include <du/Symbol.h>
#include <tqannotations/Callout.h>
#include <tqannotations/CombinedCallout.h>
#include <tqannotations/CenterLinesAnnotation.h>

#include <array>
#include <cstdio>

namespace tqannotations {
namespace {

// One more header key that this unit shares with the host's structure-tree units.
const du::Symbol kHeaderSbomInstance("SbomInstance");

//! One kind of annotation that the factory makes.
struct Product
{
  const char* subtype;
  const char* creationLine;
  du::RefCounted* (*make)();
};

du::RefCounted* MakeCallout() { return new Callout; }
du::RefCounted* MakeCombinedCallout() { return new CombinedCallout; }
du::RefCounted* MakeCenterLine() { return new CenterLinesAnnotation; }

// Subtypes are tried in this order.
const std::array<Product, 3> kProducts = {{
    {"calloutlabel", "Create new callout\n", MakeCallout},
    {"combinedcallout", "Create new combined callout\n", MakeCombinedCallout},
    {"centerline", "Create new centerline\n", MakeCenterLine},
}};

} // namespace

bool ComponentFactory::Create(const std::string& verb, const std::string& kind, const std::string& subtype,
                              du::SmartPtr<du::RefCounted>& out)
{
  if (verb != "create" || kind != "annotation")
    return false;
  for (const Product& product : kProducts) {
    if (subtype != product.subtype)
      continue;
    std::printf("%s", product.creationLine);
    out = product.make();
    return true;
  }
  return false;
}

} // namespace tqannotations
