#pragma once

#include <dg/XmlElem.h>

#include <string>

namespace dg {

//! Parses an XML document held in text (its encoding taken from its byte-order mark or
//! declaration, UTF-8 by default) into a tree of elements, and returns its root element; the
//! caller releases the tree with FreeXml.
//!
//! Returns null when the text is not a well-formed document. The document never reaches the file
//! system or the network: external entities and DTDs are not fetched, a reference to an external
//! entity fails the parse, and so does a document type declaration that names an external DTD
//! (whose entities could not be known). A reference to an entity that the document does not
//! declare fails the parse wherever it stands, also after the grammar refers to a parameter
//! entity; the grammar is otherwise not checked. Entity expansion is capped: too many expansions, or
//! expansions that would grow the tree to more than four times the text's size plus one mebibyte,
//! fail the parse too, as does anything that would make the parser itself hold more than four
//! times the text's size plus 16 mebibytes, or work more than the text's size allows (see
//! XmlMemoryBudget). Elements nested more than 1000 deep fail the parse.
XmlElem* ParseXml(const std::string& text);

//! Releases the tree whose root ParseXml returned. Null, and an element that is not the root of
//! its tree, are left alone.
void FreeXml(XmlElem* root);

} // namespace dg
