#pragma once

#include <du/Symbol.h>
#include <tqk/Object.h>

namespace tqk {

//! The window that shows a view; it keeps the mouse cursor that the user sees over it.
class Window : public Object
{
public:
  void SetCursor(const du::Symbol& cursor) { m_cursor = cursor; }
  const du::Symbol& GetCursor() const { return m_cursor; }

private:
  du::Symbol m_cursor;
};

} // namespace tqk
