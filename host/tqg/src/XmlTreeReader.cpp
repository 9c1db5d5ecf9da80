#include "XmlTreeReader.h"

#include <xercesc/framework/XMLValidityCodes.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

namespace dg {

using namespace xercesc;

XmlTreeReader::XmlTreeReader(MemoryManager* memory) : SAX2XMLReaderImpl(memory)
{
  // Checked only where the document declares a grammar.
  setFeature(XMLUni::fgSAX2CoreValidation, true);
  setFeature(XMLUni::fgXercesDynamic, true);
}

void XmlTreeReader::error(const unsigned int errorCode, const XMLCh* const errorDomain,
                          const XMLErrorReporter::ErrTypes type, const XMLCh* const errorText,
                          const XMLCh* const systemId, const XMLCh* const publicId,
                          const XMLFileLoc lineNumber, const XMLFileLoc columnNumber)
{
  if (!XMLString::equals(errorDomain, XMLUni::fgValidityDomain)) {
    SAX2XMLReaderImpl::error(errorCode, errorDomain, type, errorText, systemId, publicId, lineNumber,
                             columnNumber);
  } else if (errorCode == XMLValid::VC_EntityNotFound) {
    SAX2XMLReaderImpl::error(errorCode, errorDomain, XMLErrorReporter::ErrType_Fatal, errorText, systemId,
                             publicId, lineNumber, columnNumber);
  }
}

} // namespace dg
