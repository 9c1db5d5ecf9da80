#pragma once

#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqk/BaseInstance.h>
#include <tqk/Instance.h>

#include <set>
#include <vector>

namespace tqk {
namespace illustration {

//! An instance of the illustration's structure tree: a named node that stands for an engineering
//! instance (tqk::Instance), found by the engineering id path it refers to.
//!
//! A weld is a node whose parts are joined into one piece: the illustration treats the weld and
//! everything below it as a unit. A node may also carry a further reference to the object it
//! stands for when it has no engineering instance of its own.
//!
//! A node holds its children and its engineering instance counted, and its parent by a plain
//! pointer that the parent clears when it goes.
class SbomInstance : public BaseInstance
{
public:
  static const du::Symbol CLASS_TYPE;

  //! idPath: the node's own id path in the tree; name: what the user sees; ebomPathId: the id
  //! path of the engineering instance it stands for (empty when it stands for none).
  SbomInstance(const du::Symbol& idPath, const du::Symbol& name, const du::Symbol& ebomPathId);
  ~SbomInstance() override;

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  //! Binds the engineering instance (null unbinds); the instance learns of the binding.
  void SetEbomInstance(const du::SmartPtr<Instance>& instance);
  du::SmartPtr<Instance> GetEbomInstance() const { return m_ebomInstance; }
  //! The id path of the engineering instance the node stands for while that instance is not
  //! there; empty when it is there or when the node stands for none.
  du::Symbol GetMissingEbomInstancePathId() const;

  void SetWeld(bool weld) { m_weld = weld; }
  bool IsWeld() const { return m_weld; }
  //! The outermost weld among this node and those above it; this node when none is a weld.
  du::SmartPtr<SbomInstance> GetTopWeld() const;
  //! The engineering instances this node stands for, seen from its top weld: into first those of
  //! the weld itself (or of this node, outside any weld) and of its direct children, into second
  //! those of the nodes further below. Sets are added to, not cleared.
  void GetEbomInstancesForWeld(std::set<du::SmartPtr<Instance>>& first,
                               std::set<du::SmartPtr<Instance>>& second) const;

  void SetReference(const du::SmartPtr<Object>& reference) { m_reference = reference; }
  //! The further object the node stands for; null when it has none.
  const du::SmartPtr<Object>& GetReference() const { return m_reference; }

  //! Appends a node below this one; false for null, for a node that has a parent already and for
  //! this node or one above it.
  bool AddChild(const du::SmartPtr<SbomInstance>& child);
  const std::vector<du::SmartPtr<SbomInstance>>& GetChildren() const { return m_children; }
  du::SmartPtr<SbomInstance> GetParent() const { return du::SmartPtr<SbomInstance>(m_parent); }

private:
  void CollectBelow(std::set<du::SmartPtr<Instance>>& into) const;

  du::Symbol m_ebomPathId;
  du::SmartPtr<Instance> m_ebomInstance;
  bool m_weld = false;
  du::SmartPtr<Object> m_reference;
  SbomInstance* m_parent = nullptr;
  std::vector<du::SmartPtr<SbomInstance>> m_children;
};

} // namespace illustration
} // namespace tqk
