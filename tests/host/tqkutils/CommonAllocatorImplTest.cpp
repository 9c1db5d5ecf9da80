#include <du/CommonAllocatorImpl.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

TEST(CommonAllocatorImpl, GivesDistinctAlignedBlocksEvenForZeroBytes)
{
  void* a = du::CommonAllocatorImpl::Allocate(0);
  void* b = du::CommonAllocatorImpl::Allocate(0);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);

  void* block = du::CommonAllocatorImpl::Allocate(100);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % alignof(std::max_align_t), 0u);
  std::memset(block, 0xAB, 100); // the whole size is usable (AddressSanitizer checks)

  du::CommonAllocatorImpl::Deallocate(block);
  du::CommonAllocatorImpl::Deallocate(b);
  du::CommonAllocatorImpl::Deallocate(a);
  du::CommonAllocatorImpl::Deallocate(nullptr);
}

} // namespace
