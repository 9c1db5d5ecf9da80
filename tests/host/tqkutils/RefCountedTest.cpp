#include <du/ConstSmartPtr.h>
#include <du/RefCounted.h>
#include <du/SmartPtr.h>

#include <gtest/gtest.h>

#include <set>

namespace {

//! Counts its destructions, so that a test sees a double or a missing release.
struct Tracked : virtual du::RefCounted
{
  explicit Tracked(int& destroyed) : m_destroyed(destroyed) {}
  ~Tracked() override { ++m_destroyed; }
  int& m_destroyed;
};

struct Left : virtual du::RefCounted
{
  int left = 1;
};
struct Right : virtual du::RefCounted
{
  int right = 2;
};
//! Reaches du::RefCounted through two paths, as the host's annotations do.
struct Diamond : Left, Right, Tracked
{
  explicit Diamond(int& destroyed) : Tracked(destroyed) {}
};

struct Keeper : du::RefCounted
{
  bool ZeroReferenceCountHook() override
  {
    ++hookCalls;
    countInHook = GetReferenceCount();
    return allowDestroy;
  }
  bool allowDestroy = false;
  int hookCalls = 0;
  int countInHook = -1;
};

TEST(SmartPtr, ReleasesThroughVirtualBaseExactlyOnce)
{
  int destroyed = 0;
  {
    du::SmartPtr<Diamond> object(new Diamond(destroyed));
    du::SmartPtr<du::RefCounted> asBase = object;
    du::SmartPtr<Left> asLeft = object;
    du::SmartPtr<Right> asRight = object;
    EXPECT_EQ(object->GetReferenceCount(), 4);
    EXPECT_TRUE(asLeft == asRight) << "identity is the object, not the sub-object address";
    object.Reset();
    asLeft.Reset();
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(SmartPtr, AssignmentReleasesTheOldObjectAndKeepsSelfAssignmentSafe)
{
  int firstDestroyed = 0, secondDestroyed = 0;
  du::SmartPtr<Tracked> p(new Tracked(firstDestroyed));
  du::SmartPtr<Tracked>& same = p; // through a reference, as self-assignment happens in practice
  p = same;
  EXPECT_EQ(firstDestroyed, 0);
  EXPECT_EQ(p->GetReferenceCount(), 1);
  p = new Tracked(secondDestroyed);
  EXPECT_EQ(firstDestroyed, 1);
  EXPECT_EQ(secondDestroyed, 0);
  p.Reset();
  EXPECT_EQ(secondDestroyed, 1);
  EXPECT_FALSE(p);
}

TEST(SmartPtr, DynamicCastChecksTheType)
{
  int destroyed = 0;
  du::SmartPtr<du::RefCounted> base(new Diamond(destroyed));
  EXPECT_TRUE(du::SmartPtr<Right>::DynamicCast(base));
  du::SmartPtr<du::RefCounted> other(new Left);
  EXPECT_FALSE(du::SmartPtr<Right>::DynamicCast(other));
  EXPECT_EQ(base->GetReferenceCount(), 1) << "a failed or dropped cast leaves no reference";
}

TEST(SmartPtr, OrdersAndComparesByIdentityAcrossPointeeTypes)
{
  int destroyed = 0;
  du::SmartPtr<Diamond> a(new Diamond(destroyed));
  du::SmartPtr<Diamond> b(new Diamond(destroyed));
  std::set<du::SmartPtr<du::RefCounted>> set = {a, b, du::SmartPtr<Left>(a)};
  EXPECT_EQ(set.size(), 2u);
  du::ConstSmartPtr<Left> constLeft = a;
  EXPECT_TRUE(constLeft == a);
  EXPECT_TRUE(a == constLeft);
  EXPECT_FALSE(constLeft == b);
  EXPECT_TRUE(b != constLeft);
  EXPECT_TRUE(constLeft != b);
  EXPECT_TRUE(du::ConstSmartPtr<Right>(b) == du::ConstSmartPtr<Left>(b));
  EXPECT_TRUE(du::ConstSmartPtr<Left>() == nullptr);
  EXPECT_TRUE(constLeft != nullptr);
  EXPECT_FALSE(constLeft < du::ConstSmartPtr<Right>(a)) << "ordered by object, not by sub-object";
  EXPECT_FALSE(du::ConstSmartPtr<Right>(a) < constLeft);
}

TEST(RefCounted, CopyStartsWithNoReferences)
{
  int destroyed = 0;
  du::SmartPtr<Tracked> original(new Tracked(destroyed));
  du::SmartPtr<Tracked> copy(new Tracked(*original));
  EXPECT_EQ(original->GetReferenceCount(), 1);
  EXPECT_EQ(copy->GetReferenceCount(), 1);
}

TEST(RefCounted, HookReturningFalseKeepsTheObject)
{
  Keeper* keeper = new Keeper;
  du::SmartPtr<Keeper>(keeper).Reset();
  EXPECT_EQ(keeper->hookCalls, 1);
  EXPECT_EQ(keeper->countInHook, 1) << "the hook runs with one reference taken back";
  EXPECT_EQ(keeper->GetReferenceCount(), 0);

  // Still alive: it can be referenced again, and released for good once the hook agrees.
  keeper->allowDestroy = true;
  du::SmartPtr<Keeper> again(keeper);
  EXPECT_EQ(again->hookCalls, 1);
}

TEST(RefCounted, HookThatHandsOutANewReferenceKeepsTheObject)
{
  struct Resurrecting : du::RefCounted
  {
    bool ZeroReferenceCountHook() override
    {
      if (!resurrected) {
        resurrected = true;
        keptAlive = this;
      }
      return true;
    }
    bool resurrected = false;
    du::SmartPtr<du::RefCounted> keptAlive;
  };
  auto* object = new Resurrecting;
  du::SmartPtr<Resurrecting>(object).Reset();
  // The hook agreed, but a reference is left, so the object must still be alive.
  ASSERT_EQ(object->GetReferenceCount(), 1);
  du::SmartPtr<du::RefCounted> last = std::move(object->keptAlive);
  // Dropping this last reference destroys it; LeakSanitizer would report it otherwise.
}

} // namespace
