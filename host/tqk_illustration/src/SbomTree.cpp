#include <tqk/illustration/SbomTree.h>

#include <map>

namespace tqk {
namespace illustration {

namespace {

// The trees of the worlds, by world. Worlds live as long as the process, so the plain key never
// outlives what it names.
std::mutex& TreesMutex()
{
  static std::mutex mutex;
  return mutex;
}

std::map<const World*, du::SmartPtr<SbomTree>>& Trees()
{
  static std::map<const World*, du::SmartPtr<SbomTree>> trees;
  return trees;
}

void CollectSubtree(const du::SmartPtr<SbomInstance>& node, std::vector<du::SmartPtr<SbomInstance>>& into)
{
  into.push_back(node);
  for (const du::SmartPtr<SbomInstance>& child : node->GetChildren())
    CollectSubtree(child, into);
}

} // namespace

du::SmartPtr<SbomTree> SbomTree::Get(const du::SmartPtr<World>& world, bool create, bool replace)
{
  if (!world)
    return nullptr;
  du::SmartPtr<SbomTree> previous; // released after the mutex
  std::lock_guard<std::mutex> lock(TreesMutex());
  du::SmartPtr<SbomTree>& tree = Trees()[world.Get()];
  if (replace || (create && !tree)) {
    previous = tree;
    tree = new SbomTree;
  }
  return tree;
}

bool SbomTree::Release(const du::SmartPtr<World>& world)
{
  du::SmartPtr<SbomTree> released;
  std::lock_guard<std::mutex> lock(TreesMutex());
  const auto found = Trees().find(world.Get());
  if (found == Trees().end() || !found->second)
    return false;
  released = found->second;
  Trees().erase(found);
  return true;
}

bool SbomTree::AddInstance(const du::SmartPtr<SbomInstance>& parent, const du::SmartPtr<SbomInstance>& node)
{
  if (!node || node->GetParent())
    return false;
  std::vector<du::SmartPtr<SbomInstance>> subtree;
  CollectSubtree(node, subtree);
  std::lock_guard<std::mutex> lock(m_mutex);
  if (parent && Lookup(parent->GetIDPath()) != parent)
    return false;
  for (const du::SmartPtr<SbomInstance>& each : subtree)
    if (m_byIdPath.count(each->GetIDPath()))
      return false;
  if (!parent)
    m_roots.push_back(node);
  else if (!parent->AddChild(node))
    return false;
  for (const du::SmartPtr<SbomInstance>& each : subtree)
    m_byIdPath[each->GetIDPath()] = each;
  return true;
}

du::SmartPtr<SbomInstance> SbomTree::FindInstance(const du::Symbol& idPath) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return Lookup(idPath);
}

du::SmartPtr<SbomInstance> SbomTree::Lookup(const du::Symbol& idPath) const
{
  const auto found = m_byIdPath.find(idPath);
  return found == m_byIdPath.end() ? nullptr : found->second;
}

std::vector<du::SmartPtr<SbomInstance>> SbomTree::GetRoots() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_roots;
}

} // namespace illustration
} // namespace tqk
