#include "definitions/RefusingEntityResolver.h"

#include <xercesc/framework/MemBufInputSource.hpp>

namespace tqannotations {
namespace {

const XMLByte kNoContent[1] = {0};
const XMLCh kUnnamed[1] = {0};

} // namespace

xercesc::InputSource* RefusingEntityResolver::resolveEntity(const XMLCh* const /*publicId*/,
                                                            const XMLCh* const systemId)
{
  // The entity keeps its system id so that a message about it still names it.
  return new xercesc::MemBufInputSource(kNoContent, 0, systemId ? systemId : kUnnamed, false);
}

} // namespace tqannotations
