#include <tqk/World.h>

#include <atomic>

namespace tqk {

namespace {

std::atomic<bool> worldClosed{false};

} // namespace

World::World() : m_preferences(new Preferences) {}

du::SmartPtr<World> World::GetWorld()
{
  static const du::SmartPtr<World> world(new World);
  if (worldClosed)
    return nullptr;
  return world;
}

void World::Close() { worldClosed = true; }

void World::Reopen() { worldClosed = false; }

du::SmartPtr<Preferences> World::GetPreferences() const
{
  std::lock_guard<std::mutex> lock(m_preferencesMutex);
  return m_preferences;
}

void World::SetPreferences(const du::SmartPtr<Preferences>& preferences)
{
  du::SmartPtr<Preferences> previous = preferences; // the old store goes after the mutex
  std::lock_guard<std::mutex> lock(m_preferencesMutex);
  m_preferences.Swap(previous);
}

} // namespace tqk
