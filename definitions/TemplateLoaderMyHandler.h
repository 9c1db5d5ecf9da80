#pragma once

#include "definitions/TemplateAttributeNames.h"

#include <du/Localizer.h>
#include <du/SmartPtr.h>
#include <tqannotations/TAnnotation.h>
#include <tqannotations/TemplateLoader.h>

#include <xercesc/sax2/DefaultHandler.hpp>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tqannotations {

class TemplateAttributeReader;

//! Turns the parser's events for one template document into templates.
//!
//! Every element pushes one id on the element stack and every element end pops one; the id on
//! top decides what becomes of the text that the parser delivers. The current template, which
//! every element and every piece of text works on, is the last one in the caller's list,
//! whoever put it there. An element whose template, label or leaders are missing changes
//! nothing but still pushes its id.
//!
//! A document that nests deeper than MAX_DEPTH elements, or that would make the handler store
//! more than its storage budget (at most STORAGE_BUDGET bytes: entities can multiply a small
//! document many times over), ends as a fatal error would: what was read before stays.
class TemplateLoader::MyHandler : public xercesc::DefaultHandler
{
public:
  static constexpr std::size_t MAX_DEPTH = 1000;
  static constexpr std::size_t STORAGE_BUDGET = std::size_t(256) << 20;

  explicit MyHandler(std::vector<du::SmartPtr<TAnnotation>>& templates);

  //! Lowers the storage budget for one document below STORAGE_BUDGET.
  void LimitStorage(std::size_t bytes) { m_storageBudget = std::min(bytes, STORAGE_BUDGET); }

  void startElement(const XMLCh* const uri, const XMLCh* const localName, const XMLCh* const qualifiedName,
                    const xercesc::Attributes& attributes) override;
  //! Reads at most length characters, and stops early at a zero character.
  void characters(const XMLCh* const chars, const XMLSize_t length) override;
  void endElement(const XMLCh* const uri, const XMLCh* const localName,
                  const XMLCh* const qualifiedName) override;
  //! Ends the parse by throwing the error on.
  void fatalError(const xercesc::SAXParseException& exception) override;

private:
  //! The element ids; 0 also stands for an element whose text is to be ignored.
  enum ElementId
  {
    UNRECOGNISED = 0,
    LUMBRA_ANNOTATIONS = 1,
    ANNOTATIONS = 2,
    ANNOTATION = 3,
    NAME = 4,
    DESCRIPTION = 5,
    TOOLTIP = 6,
    THUMBNAIL = 7,
    LEADERS = 8,
    LINE_STYLE = 9,
    LABEL = 10,
    TEXT = 11,
    SPAN = 12,
    USE_PROPERTY = 13,
    SHAPE = 14,
    BR = 15
  };

  static ElementId _FindElementId(const XMLCh* localName);

  void _Push(ElementId id);
  //! Ends the document as a fatal error would.
  [[noreturn]] static void _Stop(const char* reason);
  //! Counts stored bytes against the budget; throws once it has run out.
  void _Charge(std::size_t bytes);
  TAnnotation* _CurrentTemplate() const;
  //! The current template's label, or null.
  TLabel* _CurrentLabel() const;
  void _AppendItem(TLabel& label, du::SmartPtr<LabelContent> item);
  //! The catalogue's text for the key; empty when it has none.
  const std::string& _Localised(const std::string& key);

  // The element steps; each pushes exactly one id.
  void _StartAnnotation(const TemplateAttributeReader& attributes);
  void _StartLocalisedText(std::string TAnnotation::*field, ElementId textId,
                           const TemplateAttributeReader& attributes);
  void _StartThumbnail(const TemplateAttributeReader& attributes);
  void _StartLeaders();
  void _StartLineStyle(const TemplateAttributeReader& attributes);
  void _StartLabel(const TemplateAttributeReader& attributes);
  void _StartText(const TemplateAttributeReader& attributes);
  void _StartSpan(const TemplateAttributeReader& attributes);
  void _StartUseProperty(const TemplateAttributeReader& attributes);
  void _StartShape(const TemplateAttributeReader& attributes);
  void _StartBr(const TemplateAttributeReader& attributes);

  // The text steps.
  void _AppendText(std::string& field, const XMLCh* chars, std::size_t count);
  void _AddTextItem(TLabel& label, const XMLCh* chars, std::size_t count);
  void _AppendToLastItem(TLabel& label, const XMLCh* chars, std::size_t count);
  //! Appends the characters, trimmed of white space at both ends, in UTF-8.
  void _AppendTrimmed(std::string& text, const XMLCh* chars, std::size_t count);

  std::vector<du::SmartPtr<TAnnotation>>& m_templates;
  std::vector<int> m_elementIds;
  //! The reading language, taken when the document is opened. The format has no per-language
  //! text (localised names come from the host's catalogue), so nothing reads it.
  std::string m_language;
  TemplateAttributeNames m_attributeNames;
  //! Finds the localised names, descriptions and tool tips in the host's template catalogue.
  du::Localizer m_localizer;
  //! The last key looked up and the catalogue's text for it. A document tends to ask for one
  //! key over and over (the empty one, for every element without "locid"), and asking the
  //! catalogue costs more than reading the element.
  std::optional<std::string> m_lastKey;
  std::string m_lastLocalised;
  //! The piece of text being converted, ended by a zero character.
  std::u16string m_characters;
  std::size_t m_storageBudget = STORAGE_BUDGET;
  std::size_t m_storedBytes = 0;
};

// The steps that every element and every piece of text takes, kept inline.

inline void TemplateLoader::MyHandler::_Push(ElementId id)
{
  if (m_elementIds.size() >= MAX_DEPTH)
    _Stop("template document nested too deeply");
  m_elementIds.push_back(id);
}

inline void TemplateLoader::MyHandler::_Charge(std::size_t bytes)
{
  if (bytes > m_storageBudget - m_storedBytes)
    _Stop("template document stores too much");
  m_storedBytes += bytes;
}

inline TAnnotation* TemplateLoader::MyHandler::_CurrentTemplate() const
{
  return m_templates.empty() ? nullptr : m_templates.back().Get();
}

inline TLabel* TemplateLoader::MyHandler::_CurrentLabel() const
{
  TAnnotation* current = _CurrentTemplate();
  return current ? current->label.Get() : nullptr;
}

} // namespace tqannotations
