#include "ControllerLinks.h"

#include <tqk/Markup.h>
#include <tqk/MarkupController.h>

namespace tqk {

std::mutex& ControllerLinkMutex()
{
  static std::mutex mutex;
  return mutex;
}

MarkupController::~MarkupController()
{
  // Markups outlive their controller when something else holds them; they must not be left
  // pointing at a destroyed object.
  std::lock_guard<std::mutex> lock(ControllerLinkMutex());
  for (Markup* markup : m_controlledMarkups)
    markup->m_controller = nullptr;
}

bool MarkupController::MarkupUpdated(const du::SmartPtr<Markup>&, const du::SmartPtr<Markup>&,
                                     const du::SmartPtr<Operation>&)
{
  return false;
}

void MarkupController::MarkupSelected(const du::SmartPtr<Markup>&, bool) {}

bool MarkupController::AllowGroupDrag() const { return false; }

void MarkupController::GetMarkupShadow(du::SmartPtr<Markup>&) const {}

} // namespace tqk
