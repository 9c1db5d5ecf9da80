#include <tqannotations/Callout.h>

#include "common/WriteLockGuard.h"

#include <tqk/ShapeScene.h>

namespace tqannotations {

void Callout::SetScene(const du::SmartPtr<tqk::ShapeScene>& scene)
{
  // Readers copy the scene reference under the lock; swapping it under them would tear it.
  WriteLockGuard lock(*this);
  if (!(m_scene == scene))
    m_scene = scene;
}

} // namespace tqannotations
