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
  const XMLCh* id = systemId ? systemId : kUnnamed;
  if (m_grammarPending && m_grammarId == id) {
    m_grammarPending = false;
    return nullptr;
  }
  // The entity keeps its system id so that a message about it still names it.
  return new xercesc::MemBufInputSource(kNoContent, 0, id, false);
}

void RefusingEntityResolver::startDTD(const XMLCh* const /*name*/, const XMLCh* const /*publicId*/,
                                      const XMLCh* const systemId)
{
  m_grammarPending = systemId && *systemId;
  m_grammarId = m_grammarPending ? systemId : u"";
}

} // namespace tqannotations
