#pragma once

#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/Export.h>
#include <tqannotations/SlotObject.h>
#include <tqk/illustration/SbomInstance.h>

#include <mutex>

namespace tqannotations {

//! What identifies the item of a slot: the id path of the part it stands on, the empty symbol
//! when it stands on none (an empty or invalid slot, an object item that is neither instance nor
//! assembly, an item without object).
//!
//! A center line keeps the identity of its first slot ready, so that the scans that look through a
//! scene for other lines on the same item compare it without casting the items or locking the
//! line. Whoever replaces the slot takes the identity again.
//!
//! A structure instance stands for its outermost weld; a weld may be made or undone after the
//! pick, so the instance is kept and its weld looked up on each reading. Any other item's id path
//! is taken with the item: an id path never changes.
//!
//! Taking and reading may happen on different threads; a mutex of its own makes each one whole,
//! and is held for no more than the copy or the comparison.
class TQANNOTATIONS_EXPORT SlotIdentity
{
public:
  SlotIdentity() = default;
  SlotIdentity(const SlotIdentity&) = delete;
  SlotIdentity& operator=(const SlotIdentity&) = delete;

  //! Takes the identity of what the slot holds; a null slot has none.
  void Take(const du::SmartPtr<SlotObject>& slot);
  du::Symbol Get() const;
  //! Whether the identity is the given one; the empty symbol matches a slot without identity.
  bool Is(const du::Symbol& id) const;

  //! The identity of what the slot holds now, without keeping it.
  static du::Symbol Of(const du::SmartPtr<SlotObject>& slot);

private:
  //! The picked structure instance, or null when the item is none.
  static du::SmartPtr<tqk::illustration::SbomInstance> StructureOf(const du::SmartPtr<SlotObject>& slot);
  //! The id path of an item that is no structure instance.
  static du::Symbol IdPathOf(const du::SmartPtr<SlotObject>& slot);

  mutable std::mutex m_mutex;
  du::SmartPtr<tqk::illustration::SbomInstance> m_structure;
  du::Symbol m_idPath;
};

} // namespace tqannotations
