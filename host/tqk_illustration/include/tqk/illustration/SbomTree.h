#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqk/World.h>
#include <tqk/illustration/SbomInstance.h>

#include <mutex>
#include <unordered_map>
#include <vector>

namespace tqk {
namespace illustration {

//! The structure tree of a world's illustration: its nodes, found by their id paths.
class SbomTree : public du::RefCounted
{
public:
  //! The world's tree. create: make an empty one when the world has none; replace: make a new
  //! empty one in place of the world's. Null for a null world, and when the world has no tree
  //! and neither flag is given.
  static du::SmartPtr<SbomTree> Get(const du::SmartPtr<World>& world, bool create, bool replace);
  //! Lets the world's tree go; false when it had none.
  static bool Release(const du::SmartPtr<World>& world);

  //! Adds the node under the parent (null: as a root) and indexes it and every node below it by
  //! id path. False for a null node, a parent not in the tree, a node that has a parent already,
  //! or an id path the tree knows already (nothing is added then).
  bool AddInstance(const du::SmartPtr<SbomInstance>& parent, const du::SmartPtr<SbomInstance>& node);
  //! The node with that id path; null when there is none.
  du::SmartPtr<SbomInstance> FindInstance(const du::Symbol& idPath) const;
  std::vector<du::SmartPtr<SbomInstance>> GetRoots() const;

private:
  du::SmartPtr<SbomInstance> Lookup(const du::Symbol& idPath) const;

  mutable std::mutex m_mutex;
  std::vector<du::SmartPtr<SbomInstance>> m_roots;
  std::unordered_map<du::Symbol, du::SmartPtr<SbomInstance>> m_byIdPath;
};

} // namespace illustration
} // namespace tqk
