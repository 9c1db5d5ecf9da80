#include "definitions/XercesPlatform.h"

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

namespace tqannotations {
namespace {

bool InitializeXerces()
{
  try {
    xercesc::XMLPlatformUtils::Initialize("en_US");
    return true;
  } catch (const xercesc::XMLException&) {
    return false; // the message says nothing that a caller could act on
  }
}

//! Made while the plug-in is loaded, so that the preparation is over before any reader runs.
[[maybe_unused]] const bool kPreparedAtLoad = PrepareXercesPlatform();

} // namespace

bool PrepareXercesPlatform()
{
  // A function-local static is made exactly once, and every other caller waits until it is made.
  static const bool ready = InitializeXerces();
  return ready;
}

} // namespace tqannotations
