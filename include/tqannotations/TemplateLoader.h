#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/Export.h>
#include <tqannotations/TAnnotation.h>

#include <xercesc/util/XercesDefs.hpp>

#include <cstddef>
#include <string>
#include <vector>

XERCES_CPP_NAMESPACE_BEGIN
class InputSource;
class XMLURL;
XERCES_CPP_NAMESPACE_END

namespace tqannotations {

//! Reads annotation templates from a template document (root element "lumbra-annotations").
//!
//! Each "annotation" element appends a new template to the caller's list, and the elements
//! after it fill that template. The list is never cleared: templates are appended to whatever it
//! held, and elements met before the first "annotation" fill the caller's last template.
//!
//! A document that is not well formed is read up to its first fatal error, and what was read
//! stays; so does everything read before the reader gave up on a document that nests too deeply,
//! stores too much or expands too many entities. The reader never fetches anything that the
//! document names (external entities, external grammars, schemas): those read as empty.
//!
//! The loader keeps no state between calls; each call has its own parser and runs entirely on
//! the caller's thread.
class TQANNOTATIONS_EXPORT TemplateLoader : public du::RefCounted
{
public:
  //! Prepares the XML parser; a failure there is left for GetTemplateList to report.
  TemplateLoader();
  //! A fresh loader: the parser is already prepared.
  TemplateLoader(const TemplateLoader& other);
  TemplateLoader& operator=(const TemplateLoader& other);
  ~TemplateLoader() override;

  //! Reads the templates of a document given as text.
  //! False only when the XML parser cannot be prepared; a faulty document gives true.
  bool GetTemplateList(const std::string& xmlText, std::vector<du::SmartPtr<TAnnotation>>& templates);
  //! Reads the templates of the document at a URL ("file:" URLs included).
  //! False when the XML parser cannot be prepared or the URL is malformed; a document that
  //! cannot be reached or read gives true.
  bool GetTemplateList(const du::Symbol& url, std::vector<du::SmartPtr<TAnnotation>>& templates);

private:
  class MyHandler;

  //! The whole document at a "file:" URL, no longer than the loader may store; false when it
  //! cannot be read: a path that is not a regular file, another machine, any other protocol
  //! ("http:" URLs are read apart, their host and port as written).
  static bool ReadUrl(const XERCES_CPP_NAMESPACE::XMLURL& location, std::string& document);
  //! Runs one parse with the parser's memory and work bounded by the document's size; whatever goes wrong
  //! in it ends the parse and is dropped.
  void Parse(const XERCES_CPP_NAMESPACE::InputSource& source, std::size_t documentSize,
             std::vector<du::SmartPtr<TAnnotation>>& templates);
};

} // namespace tqannotations
