#include <tqk/World.h>

namespace tqk {

World::World() : m_preferences(new Preferences) {}

du::SmartPtr<World> World::GetWorld()
{
  static const du::SmartPtr<World> world(new World);
  return world;
}

} // namespace tqk
