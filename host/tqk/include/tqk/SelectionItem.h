#pragma once

#include <tqk/MemoryPoolAllocated.h>
#include <tqk/Object.h>

namespace tqk {

//! Something the user picked or selected; the kinds of item derive from it.
class SelectionItem : public Object, public MemoryPoolAllocated
{
public:
  static void* operator new(std::size_t size) { return Allocate(size, SELECTION_ITEMS); }
  static void operator delete(void* memory) noexcept { Release(memory, SELECTION_ITEMS); }
};

} // namespace tqk
