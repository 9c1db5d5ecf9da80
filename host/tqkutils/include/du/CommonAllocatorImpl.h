#pragma once

#include <cstddef>

namespace du {

//! The host's common allocator: raw blocks from the process heap for objects that the host and
//! its plug-ins create on one side and release on the other.
//!
//! A block taken with Allocate must be given back with Deallocate, never with free or delete.
class CommonAllocatorImpl
{
public:
  //! A block of at least size bytes, aligned for any object type; a zero size still gives a
  //! distinct block. Null when the heap has no memory left.
  static void* Allocate(std::size_t size) noexcept;
  //! Gives the block back; null is accepted and does nothing.
  static void Deallocate(void* block) noexcept;
};

} // namespace du
