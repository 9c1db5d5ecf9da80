#include <tqannotations/CombinedCallout.h>

#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <tqk/AnnoSet.h>
#include <tqk/Scene.h>
#include <tqk/ShapeScene.h>

namespace tqannotations {

bool CombinedCallout::AttachScene(const du::SmartPtr<tqk::Scene>& scene)
{
  if (!scene)
    return DetachScene();
  bool shownElsewhere = false;
  {
    ReadLockGuard lock(*this);
    shownElsewhere = m_scene && !(m_scene == scene);
  }
  if (shownElsewhere)
    DetachScene();
  {
    WriteLockGuard lock(*this);
    if (!(m_scene == scene))
      m_scene = scene;
  }
  if (!scene->GetAnnoSet())
    return false;
  bool initialized = false;
  {
    ReadLockGuard lock(*this);
    initialized = m_initialized;
  }
  // Members can only rebuild their leaders from parts of a shape scene, and do so whenever one
  // is lent to them; a loaded combined callout is finished by its first scene either way.
  if (const auto shapeScene = du::SmartPtr<tqk::ShapeScene>::DynamicCast(scene))
    LendScene(shapeScene, CurrentMembers());
  if (!initialized) {
    m_kind = CALLOUT_ITEM;
    WriteLockGuard lock(*this);
    m_initialized = true;
  }
  UpdateWithCalloutInfo();
  return Callout::AttachScene(scene);
}

bool CombinedCallout::DetachScene()
{
  du::SmartPtr<tqk::Scene> scene;
  {
    ReadLockGuard lock(*this);
    scene = m_scene;
  }
  const bool detached = Callout::DetachScene();
  if (scene)
    TakeBackScene(scene, CurrentMembers());
  return detached;
}

void CombinedCallout::LendScene(const du::SmartPtr<tqk::ShapeScene>& scene, const Members& members)
{
  for (const du::SmartPtr<Callout>& member : members) {
    if (!member)
      continue;
    bool rebuild = false;
    {
      WriteLockGuard lock(*member);
      if (!member->m_scene)
        member->m_scene = scene;
      // Loaded and cloned members have leader records without leaders until they see the parts;
      // a record whose part was hidden or missing in an earlier scene is tried again.
      rebuild = member->m_scene == scene && member->HasRecordWithoutLeader();
    }
    if (rebuild)
      member->UpdateWithCalloutInfo();
  }
}

void CombinedCallout::TakeBackScene(const du::SmartPtr<tqk::Scene>& scene, const Members& members)
{
  // A member that the host attached itself keeps its scene; the others would keep the scene, and
  // through its annotation set this combined callout, alive.
  for (const du::SmartPtr<Callout>& member : members) {
    if (!member || member->GetAttachedScene())
      continue;
    WriteLockGuard lock(*member);
    if (member->m_scene == scene)
      member->m_scene.Reset();
  }
}

} // namespace tqannotations
