#pragma once

#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/Export.h>
#include <tqk/OperationStep.h>

#include <vector>

namespace tqannotations {

class Callout;
class CalloutLeader;

//! The undo step of showing a callout's hidden leaders again (Callout::ShowAllLeaders).
//!
//! Made before the leaders change, it records the status of each of the callout's leaders; the
//! callout then adds each leader's status after the change. Undo puts the status before back,
//! Redo the status after. A leader that the step turns from shown to detached leaves the
//! callout's scene and loses its controller; one that it turns from detached to shown gets the
//! callout as controller and enters the scene, and the label is then brought to the front. The
//! records belong to the leaders they were taken from: a leader the callout no longer has is
//! passed over. Without a scene only the hidden flags are put back, so that no leader is marked
//! shown while it is in no scene.
class TQANNOTATIONS_EXPORT CalloutLeaderOperationStep : public tqk::OperationStep
{
public:
  //! One leader's status.
  struct LeaderStatus
  {
    bool visible = false; //!< the leader's part is visible
    bool detached = true;
    bool hidden = false;
  };

  explicit CalloutLeaderOperationStep(const du::SmartPtr<Callout>& callout);
  CalloutLeaderOperationStep(const CalloutLeaderOperationStep& other) = default;
  CalloutLeaderOperationStep& operator=(const CalloutLeaderOperationStep& other) = default;
  ~CalloutLeaderOperationStep() override;

  //! The status after the change of the next leader, in the order the leaders were recorded.
  void AddLeaderStatus(bool visible, bool detached, bool hidden);

  void Undo() override;
  void Redo() override;

  //! Always "Show all Leaders".
  du::Symbol GetOperationName();

  const std::vector<LeaderStatus>& GetStatusBefore() const { return m_before; }
  const std::vector<LeaderStatus>& GetStatusAfter() const { return m_after; }

private:
  void Restore(const std::vector<LeaderStatus>& statuses);

  du::SmartPtr<Callout> m_callout;
  //! The leaders the records were taken from, in the callout's order.
  std::vector<du::SmartPtr<CalloutLeader>> m_leaders;
  std::vector<LeaderStatus> m_before;
  std::vector<LeaderStatus> m_after;
};

} // namespace tqannotations
