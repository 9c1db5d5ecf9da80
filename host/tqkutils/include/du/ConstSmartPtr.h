#pragma once

#include <du/SmartPtr.h>

namespace du {

//! Counted reference to a const object; made from a SmartPtr or a ConstSmartPtr of a derived class.
template <class T>
class ConstSmartPtr
{
public:
  ConstSmartPtr() noexcept = default;
  ConstSmartPtr(std::nullptr_t) noexcept {}
  ConstSmartPtr(const T* object) noexcept : m_ref(const_cast<T*>(object)) {}

  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  ConstSmartPtr(const SmartPtr<U>& other) noexcept : m_ref(other)
  {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  ConstSmartPtr(const ConstSmartPtr<U>& other) noexcept : m_ref(const_cast<U*>(other.Get()))
  {}

  void Reset() noexcept { m_ref.Reset(); }

  const T* Get() const noexcept { return m_ref.Get(); }
  const T* operator->() const noexcept { return m_ref.Get(); }
  const T& operator*() const noexcept { return *m_ref; }
  explicit operator bool() const noexcept { return static_cast<bool>(m_ref); }
  bool IsNull() const noexcept { return m_ref.IsNull(); }

  template <class U>
  static ConstSmartPtr DynamicCast(const ConstSmartPtr<U>& other) noexcept
  {
    return ConstSmartPtr(dynamic_cast<const T*>(other.Get()));
  }

private:
  SmartPtr<T> m_ref;
};

template <class T, class U>
bool operator==(const ConstSmartPtr<T>& a, const ConstSmartPtr<U>& b) noexcept
{
  return IdentityOf(a.Get()) == IdentityOf(b.Get());
}
template <class T, class U>
bool operator!=(const ConstSmartPtr<T>& a, const ConstSmartPtr<U>& b) noexcept
{
  return !(a == b);
}
template <class T, class U>
bool operator==(const ConstSmartPtr<T>& a, const SmartPtr<U>& b) noexcept
{
  return IdentityOf(a.Get()) == IdentityOf(b.Get());
}
template <class T, class U>
bool operator==(const SmartPtr<T>& a, const ConstSmartPtr<U>& b) noexcept
{
  return b == a;
}
template <class T, class U>
bool operator!=(const ConstSmartPtr<T>& a, const SmartPtr<U>& b) noexcept
{
  return !(a == b);
}
template <class T, class U>
bool operator!=(const SmartPtr<T>& a, const ConstSmartPtr<U>& b) noexcept
{
  return !(b == a);
}
template <class T>
bool operator==(const ConstSmartPtr<T>& a, std::nullptr_t) noexcept
{
  return !a;
}
template <class T>
bool operator!=(const ConstSmartPtr<T>& a, std::nullptr_t) noexcept
{
  return static_cast<bool>(a);
}
template <class T, class U>
bool operator<(const ConstSmartPtr<T>& a, const ConstSmartPtr<U>& b) noexcept
{
  return std::less<const RefCounted*>()(IdentityOf(a.Get()), IdentityOf(b.Get()));
}

} // namespace du
