#pragma once

#include <dg/DPoint3D.h>
#include <du/RefCounted.h>
#include <tqannotations/Export.h>

#include <string>

namespace tqannotations {

//! The stored record of one callout leader: which part it points at, where, and its status.
//!
//! A callout keeps one record per leader, saves the records, and rebuilds its leaders from them
//! when a loaded callout is attached to a scene. A plain value: copies are independent.
class TQANNOTATIONS_EXPORT CalloutLeaderInfo : public du::RefCounted
{
public:
  CalloutLeaderInfo();
  CalloutLeaderInfo(const CalloutLeaderInfo& other);
  CalloutLeaderInfo& operator=(const CalloutLeaderInfo& other);
  ~CalloutLeaderInfo() override;

  //! Id path of the part in the structure tree; empty when the part has none.
  std::string shapeInstanceId;
  //! Id path of the assembly instance the part was picked in; empty when there is none.
  std::string assemblyInstanceId;
  //! Where the leader ends, in the part's own space.
  dg::DPoint3D anchor;
  //! Whether the leader was shown in a scene (the negation of the leader's detached flag).
  bool attached = false;
  bool hidden = false;
  bool dim = false;
};

} // namespace tqannotations
