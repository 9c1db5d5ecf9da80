#pragma once

#include <cstddef>

namespace tqk {

//! Allocation of host objects from the host's memory pool.
//!
//! A class that derives from it gets class-level operator new and delete that count the objects
//! alive in each family, so that a test can assert that nothing is left once a scene is torn
//! down. The family bases (tqk::Annotation, tqk::Markup, tqk::Operation, tqk::OperationStep,
//! tqk::SelectionItem) declare their own operator new and delete naming their family; other
//! classes count as OTHER_OBJECTS.
//!
//! When the pool is exhausted, operator new throws std::bad_alloc: no allocation ever yields a
//! null object.
class MemoryPoolAllocated
{
public:
  enum Family
  {
    ANNOTATIONS,
    MARKUPS,
    OPERATIONS,
    OPERATION_STEPS,
    SELECTION_ITEMS,
    OTHER_OBJECTS,
    FAMILY_COUNT
  };

  static void* operator new(std::size_t size) { return Allocate(size, OTHER_OBJECTS); }
  static void operator delete(void* memory) noexcept { Release(memory, OTHER_OBJECTS); }

  //! Objects of the family that are alive now.
  static std::size_t GetLiveCount(Family family) noexcept;
  //! Objects of every family that are alive now.
  static std::size_t GetLiveCount() noexcept;

  //! Caps the objects alive at once, over all families; 0 lifts the cap. Lets tests and the
  //! example program see what the host does when its pool runs dry.
  static void SetLiveObjectLimit(std::size_t limit) noexcept;

protected:
  MemoryPoolAllocated() = default;
  ~MemoryPoolAllocated() = default;

  static void* Allocate(std::size_t size, Family family);
  static void Release(void* memory, Family family) noexcept;
};

} // namespace tqk
