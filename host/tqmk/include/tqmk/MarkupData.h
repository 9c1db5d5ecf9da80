#pragma once

#include <tqk/Markup.h>
#include <tqmu/MarkupData.h>

namespace tqmk {

//! The content of a markup: a drawing model that knows the markup it belongs to.
//!
//! The markup holds its content counted and the content refers back by a plain pointer, so that
//! neither keeps the other alive: a content belongs to one markup and does not outlive it.
class MarkupData : public tqmu::MarkupData
{
public:
  explicit MarkupData(tqk::Markup* markup) : m_markup(markup) {}

  tqk::Markup* GetMarkup() const { return m_markup; }

private:
  tqk::Markup* m_markup;
};

} // namespace tqmk
