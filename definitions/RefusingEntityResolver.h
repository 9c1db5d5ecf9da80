#pragma once

#include <xercesc/sax/EntityResolver.hpp>

namespace tqannotations {

//! Answers every request for an external entity, external grammar or schema with empty
//! content, so that a document can never make the reader open a file or a network address
//! by itself. The document reads on as if the entity were empty.
class RefusingEntityResolver : public xercesc::EntityResolver
{
public:
  //! An empty source, which the parser owns and deletes.
  xercesc::InputSource* resolveEntity(const XMLCh* const publicId, const XMLCh* const systemId) override;
};

} // namespace tqannotations
