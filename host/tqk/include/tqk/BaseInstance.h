#pragma once

#include <du/Symbol.h>
#include <tqk/MemoryPoolAllocated.h>
#include <tqk/Object.h>

namespace tqk {

//! Base of the host's instances: an occurrence of a part or an assembly, named by its id path.
//!
//! The id path names the occurrence from the top of its structure ("asm1/part3", say); it is the
//! key under which documents refer to it. Instances are pool objects shared by counted reference.
class BaseInstance : public Object, public MemoryPoolAllocated
{
public:
  static const du::Symbol CLASS_TYPE;

  explicit BaseInstance(const du::Symbol& idPath) : m_idPath(idPath) {}
  BaseInstance(const BaseInstance&) = delete;
  BaseInstance& operator=(const BaseInstance&) = delete;

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  const du::Symbol& GetIDPath() const { return m_idPath; }

private:
  du::Symbol m_idPath;
};

} // namespace tqk
