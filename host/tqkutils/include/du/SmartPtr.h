#pragma once

#include <du/RefCounted.h>

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

namespace du {

//! Counted reference to an object derived from du::RefCounted (plainly or virtually).
//!
//! Copying adds a reference, destruction removes one. Converts implicitly to a reference to a
//! base class; down-conversion is explicit and checked (DynamicCast). Two references compare
//! equal when they refer to the same object, whatever their pointee types.
template <class T>
class SmartPtr
{
public:
  using element_type = T;

  SmartPtr() noexcept = default;
  SmartPtr(std::nullptr_t) noexcept {}
  SmartPtr(T* object) noexcept : m_object(object) { Acquire(); }
  SmartPtr(const SmartPtr& other) noexcept : m_object(other.m_object) { Acquire(); }
  SmartPtr(SmartPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}

  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  SmartPtr(const SmartPtr<U>& other) noexcept : m_object(other.Get())
  {
    Acquire();
  }

  ~SmartPtr() { Release(); }

  SmartPtr& operator=(SmartPtr other) noexcept
  {
    // Taking the argument by value adds the new reference before the old one is dropped,
    // so self-assignment and assigning an object that only the old one kept alive are safe.
    std::swap(m_object, other.m_object);
    return *this;
  }

  //! Drops the reference and leaves this one empty.
  void Reset() noexcept { SmartPtr().Swap(*this); }
  void Swap(SmartPtr& other) noexcept { std::swap(m_object, other.m_object); }

  T* Get() const noexcept { return m_object; }
  T* operator->() const noexcept { return m_object; }
  T& operator*() const noexcept { return *m_object; }
  explicit operator bool() const noexcept { return m_object != nullptr; }
  bool IsNull() const noexcept { return m_object == nullptr; }

  //! A reference to the same object as a U, or an empty one when it is not a U.
  template <class U>
  static SmartPtr DynamicCast(const SmartPtr<U>& other) noexcept
  {
    return SmartPtr(dynamic_cast<T*>(other.Get()));
  }

private:
  void Acquire() const noexcept
  {
    if (m_object)
      static_cast<const RefCounted*>(m_object)->AddReference();
  }
  void Release() const
  {
    if (m_object)
      static_cast<const RefCounted*>(m_object)->RemoveReference();
  }

  T* m_object = nullptr;
};

//! The object's identity: its one du::RefCounted sub-object.
template <class T>
const RefCounted* IdentityOf(const T* object) noexcept
{
  return object ? static_cast<const RefCounted*>(object) : nullptr;
}

template <class T, class U>
bool operator==(const SmartPtr<T>& a, const SmartPtr<U>& b) noexcept
{
  return IdentityOf(a.Get()) == IdentityOf(b.Get());
}
template <class T, class U>
bool operator!=(const SmartPtr<T>& a, const SmartPtr<U>& b) noexcept
{
  return !(a == b);
}
template <class T>
bool operator==(const SmartPtr<T>& a, std::nullptr_t) noexcept
{
  return !a;
}
template <class T>
bool operator!=(const SmartPtr<T>& a, std::nullptr_t) noexcept
{
  return static_cast<bool>(a);
}
template <class T, class U>
bool operator<(const SmartPtr<T>& a, const SmartPtr<U>& b) noexcept
{
  return std::less<const RefCounted*>()(IdentityOf(a.Get()), IdentityOf(b.Get()));
}

} // namespace du

template <class T>
struct std::hash<du::SmartPtr<T>>
{
  std::size_t operator()(const du::SmartPtr<T>& p) const noexcept
  {
    return std::hash<const du::RefCounted*>()(du::IdentityOf(p.Get()));
  }
};
