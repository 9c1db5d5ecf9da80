#pragma once

#include <xercesc/sax/EntityResolver.hpp>
#include <xercesc/sax2/LexicalHandler.hpp>

#include <string>

namespace tqannotations {

//! Answers every request for an external entity or schema with empty content, so that a document
//! can never make the reader open a file or a network address by itself; the document reads on
//! as if the entity were empty.
//!
//! The one exception is the external grammar that a document type declaration names
//! (<!DOCTYPE ... SYSTEM "...">): it is answered with nothing, so that the document ends there
//! as one whose grammar cannot be reached does. Reading even an empty grammar in its place would
//! cost the parser memory that it never gives back, on every such document; the template loader
//! blanks such a reference before the parse wherever it can (BlankExternalGrammarReference), so
//! this answer is left for documents whose markup is not ASCII. The resolver learns which
//! request that is from the declaration itself, so it must be the reader's lexical handler as
//! well as its entity resolver.
class RefusingEntityResolver : public xercesc::EntityResolver, public xercesc::LexicalHandler
{
public:
  //! An empty source, which the parser owns and deletes; null for the document's grammar.
  xercesc::InputSource* resolveEntity(const XMLCh* const publicId, const XMLCh* const systemId) override;

  //! Notes the external grammar that the declaration names, if any.
  void startDTD(const XMLCh* const name, const XMLCh* const publicId, const XMLCh* const systemId) override;
  void endDTD() override {}
  void comment(const XMLCh* const, const XMLSize_t) override {}
  void startCDATA() override {}
  void endCDATA() override {}
  void startEntity(const XMLCh* const) override {}
  void endEntity(const XMLCh* const) override {}

private:
  std::u16string m_grammarId;
  bool m_grammarPending = false;
};

} // namespace tqannotations
