#pragma once

#include <du/ConstSmartPtr.h>
#include <du/Symbol.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/Object.h>

namespace tqk {

class Instance;
class SelectionItemRepresentation;

//! Something the user picked or selected; the kinds of item derive from it.
//!
//! Its content type (one of tqk::mcad_selection for items picked in a model) says what the user
//! meant to pick, which the item's class alone does not: a whole part and an assembly are both
//! object items.
class SelectionItem : public Object, public MemoryPoolAllocated
{
public:
  static void* operator new(std::size_t size) { return Allocate(size, SELECTION_ITEMS); }
  static void operator delete(void* memory) noexcept { Release(memory, SELECTION_ITEMS); }

  const du::Symbol& GetContentType() const { return m_contentType; }
  void SetContentType(const du::Symbol& contentType) { m_contentType = contentType; }

  //! The item written down so that it can be found again: here its content type alone; kinds of
  //! item that can be found again add the fields that identify them.
  virtual du::ConstSmartPtr<SelectionItemRepresentation> GetRepresentation() const;

  //! The engineering instance the item was picked on, by which its part is found in a shape
  //! scene; null when it stands on none (the base stands on none).
  virtual du::SmartPtr<Instance> GetPickedInstance() const;

private:
  du::Symbol m_contentType;
};

} // namespace tqk
