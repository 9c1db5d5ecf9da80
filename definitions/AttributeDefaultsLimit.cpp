#include "definitions/AttributeDefaultsLimit.h"

#include <xercesc/sax/SAXException.hpp>

namespace tqannotations {

void AttributeDefaultsLimit::attributeDecl(const XMLCh* const /*elementName*/,
                                           const XMLCh* const /*attributeName*/, const XMLCh* const /*type*/,
                                           const XMLCh* const /*mode*/, const XMLCh* const value)
{
  if (!value)
    return; // an attribute without a value of its own is never added to an element
  if (++m_defaults > MAX_DEFAULTS)
    throw xercesc::SAXException("template document declares more attribute defaults than a template needs");
}

} // namespace tqannotations
