#pragma once

#include <du/RefCounted.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>

#include <string>
#include <vector>

namespace tqk {

//! Base of the host's objects with identity, shared by counted reference.
//!
//! Every object can tell its class (as a class-type symbol, with the class types of its bases),
//! carry a name, and carry user data that other code attaches to it under a key.
//!
//! Class types: a class that wants to be recognised declares a static CLASS_TYPE and overrides
//! GetClassType and GetClassTypes, which add its own type in front of its base's.
class Object : public virtual du::RefCounted
{
public:
  static const du::Symbol CLASS_TYPE;

  Object() = default;
  //! A copy takes the name but no user data: user data belongs to the object, not to its value.
  Object(const Object& other) : du::RefCounted(other), m_name(other.m_name) {}
  Object& operator=(const Object& other);

  //! The class type of the object's own class.
  virtual du::Symbol GetClassType() const { return CLASS_TYPE; }
  //! Appends the class types of the object's class and of its bases, the object's own first.
  virtual void GetClassTypes(std::vector<du::Symbol>& types) const;
  //! Whether the object is of the class with that class type or of a class derived from it.
  bool IsATypeOfId(const du::Symbol& classType) const;

  //! A text that names the object to the user.
  virtual std::string GetObjectDescription() const;
  //! The object's name; empty when it has none.
  virtual du::Symbol GetObjectName() const { return m_name; }
  void SetObjectName(const du::Symbol& name) { m_name = name; }

  //! Attaches data the object does not own under the key, replacing what the key held.
  void AddUserData(const du::Symbol& key, void* data);
  //! The data under the key; null when there is none.
  void* GetUserData(const du::Symbol& key) const;
  //! Attaches a counted reference under the key, replacing what the key held.
  void AddRefCountedUserData(const du::Symbol& key, const du::SmartPtr<du::RefCounted>& data);
  //! The counted data under the key; null when there is none.
  du::SmartPtr<du::RefCounted> GetRefCountedUserData(const du::Symbol& key) const;
  //! Removes whatever the key holds; false when it holds nothing.
  bool RemoveUserData(const du::Symbol& key);

private:
  struct UserDataEntry
  {
    du::Symbol key;
    void* data = nullptr;
    du::SmartPtr<du::RefCounted> counted;
  };

  UserDataEntry* FindUserData(const du::Symbol& key);
  const UserDataEntry* FindUserData(const du::Symbol& key) const;

  du::Symbol m_name;
  std::vector<UserDataEntry> m_userData;
};

} // namespace tqk
