#pragma once

#include <tqk/Markup.h>
#include <tqmu/MarkupData.h>

namespace tqmk {

//! The content of a markup: a drawing model that knows the markup it belongs to.
//!
//! The markup holds its content counted and the content refers back by a plain pointer, so that
//! neither keeps the other alive. A content that someone else still holds when its markup (a
//! tqmk::Markup) goes is told, and then names no markup.
class MarkupData : public tqmu::MarkupData
{
public:
  explicit MarkupData(tqk::Markup* markup) : m_markup(markup) {}

  //! The markup the content belongs to; null once that markup is gone.
  tqk::Markup* GetMarkup() const { return m_markup; }
  //! Called by a markup that goes: the content forgets it, if it is the one it names.
  void ForgetMarkup(const tqk::Markup* markup)
  {
    if (m_markup == markup)
      m_markup = nullptr;
  }

private:
  tqk::Markup* m_markup;
};

} // namespace tqmk
