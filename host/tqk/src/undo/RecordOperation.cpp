#include <tqk/RecordOperation.h>
#include <tqk/World.h>

namespace tqk {

bool RecordOperation(const du::SmartPtr<Operation>& operation)
{
  const du::SmartPtr<World> world = World::GetWorld();
  return world && world->GetUndoHistory().Record(operation);
}

} // namespace tqk
