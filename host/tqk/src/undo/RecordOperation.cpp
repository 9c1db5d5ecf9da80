#include <tqk/RecordOperation.h>
#include <tqk/World.h>

#include <atomic>

namespace tqk {
namespace {

std::atomic<std::size_t> offeredOperations{0};

} // namespace

bool RecordOperation(const du::SmartPtr<Operation>& operation)
{
  ++offeredOperations;
  const du::SmartPtr<World> world = World::GetWorld();
  return world && world->GetUndoHistory().Record(operation);
}

std::size_t GetOfferedOperationCount() { return offeredOperations.load(); }

} // namespace tqk
