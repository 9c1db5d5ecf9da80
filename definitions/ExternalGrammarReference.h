#pragma once

#include <string>

namespace tqannotations {

//! When the document's type declaration names a grammar kept outside the document,
//! <!DOCTYPE root SYSTEM "uri"> or <!DOCTYPE root PUBLIC "id" "uri">, gives a copy of the
//! document in which that external identifier is replaced by spaces (line breaks kept), and
//! returns true. False, leaving the copy alone, when the document names none.
//!
//! Template documents often carry such a line, but their grammar is never fetched, and the
//! parser cannot be told to pass over a grammar that it is to validate against without reading
//! some source in its place, which costs memory that it never gives back. With the reference
//! blanked, the declaration is one without an external grammar, and the document reads on with
//! its internal subset, if any, as its whole grammar.
//!
//! Only the prolog is read, byte by byte as ASCII markup; a document whose markup is not ASCII
//! (in UTF-16, for one) is left as it is.
bool BlankExternalGrammarReference(const std::string& document, std::string& blanked);

} // namespace tqannotations
