#include <tqannotations/CenterLinesOperationStep.h>

#include "common/SharedHeaderKeys.h"
#include "common/WriteLockGuard.h"

#include <tqannotations/CenterLinesAnnotation.h>

#include <du/AssembleArgs.h>
#include <du/Localizer.h>

namespace tqannotations {
namespace {

const char* const kCatalogue = "tqbase:tqmodulesStrings";
const char* const kSlotsChangedKey = "113";
const char* const kKindTwoKey = "118";
const char* const kStyleChangedKey = "119";

// New slot objects, so that whoever receives them can never change the ones recorded here.
CenterLinesOperationStep::Slots CopySlots(const CenterLinesOperationStep::Slots& slots)
{
  CenterLinesOperationStep::Slots copies;
  copies.reserve(slots.size());
  for (const du::SmartPtr<SlotObject>& slot : slots)
    copies.push_back(slot ? du::SmartPtr<SlotObject>(new SlotObject(*slot)) : du::SmartPtr<SlotObject>());
  return copies;
}

// Slots count as changed unless both lists hold the very same slot objects; as each capture
// makes copies, any two non-empty captures differ.
bool SlotsDiffer(const CenterLinesOperationStep::Slots& before, const CenterLinesOperationStep::Slots& after)
{
  if (before.size() != after.size())
    return true;
  for (std::size_t index = 0; index < before.size(); ++index)
    if (before[index] != after[index])
      return true;
  return false;
}

} // namespace

CenterLinesOperationStep::CenterLinesOperationStep(const du::SmartPtr<CenterLinesAnnotation>& annotation)
    : m_annotation(annotation)
{
  if (!m_annotation)
    return;
  m_undoSlots = m_annotation->GetSlots(); // copies already, which the step may keep
  m_annotation->GetCenterLinesInfo(m_undoInfo);
}

CenterLinesOperationStep::~CenterLinesOperationStep() = default;

void CenterLinesOperationStep::SetRedo()
{
  if (!m_annotation)
    return;
  m_redoSlots = m_annotation->GetSlots();
  m_annotation->GetCenterLinesInfo(m_redoInfo);
  m_kind = 0;
  if (SlotsDiffer(m_undoSlots, m_redoSlots))
    m_kind |= SLOTS_CHANGED;
  if (!(m_undoInfo.style == m_redoInfo.style))
    m_kind |= STYLE_CHANGED;
}

void CenterLinesOperationStep::Undo() { Restore(m_undoSlots, m_undoInfo); }

void CenterLinesOperationStep::Redo() { Restore(m_redoSlots, m_redoInfo); }

void CenterLinesOperationStep::Restore(const Slots& slots, const CenterLinesInfo& info)
{
  // A center line always has its slots, so an empty list is a state never captured (a redo
  // before SetRedo); handing it over would leave the line without slots.
  if (!m_annotation || slots.empty())
    return;
  // The base's SetSlots replaces the slot list without locking; readers on other threads must see
  // the slots and snapshot of one state or the other, never a list being swapped.
  WriteLockGuard lock(*m_annotation);
  m_annotation->SetSlots(CopySlots(slots));
  m_annotation->SetCenterLinesInfo(info);
  m_annotation->ReCalculateMarkup();
}

du::Symbol CenterLinesOperationStep::GetOperationName()
{
  if (m_kind == 0)
    return du::Symbol::EMPTY;
  const std::string name = m_annotation ? m_annotation->GetObjectName().GetText() : std::string();
  const char* key = m_kind == SLOTS_CHANGED ? kSlotsChangedKey : m_kind == 2 ? kKindTwoKey : kStyleChangedKey;
  return du::Symbol(du::Localizer(kCatalogue)
                        .LocalizeMessage(key, du::AssembleArgs("%s", name), du::Localizer::RETURN_KEY));
}

} // namespace tqannotations
