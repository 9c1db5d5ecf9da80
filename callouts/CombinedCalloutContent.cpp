#include <tqannotations/CombinedCallout.h>

#include "common/ReadLockGuard.h"
#include "common/WriteLockGuard.h"

#include <tqk/SerializedContentElement.h>
#include <tqk/SerializedContentVisitor.h>

namespace tqannotations {
namespace {

// The element names of a combined callout's saved content; documents depend on their texts.
const du::Symbol kContainsCallout("containscallout");
const du::Symbol kVisualAppearance("visual_appearance");

//! Reads a combined callout's saved content: its own callout content into the combined callout,
//! and each member's into a new callout.
class SerializedCombinedCalloutVisitor : public tqk::SerializedContentVisitor
{
public:
  explicit SerializedCombinedCalloutVisitor(CombinedCallout& combined) : m_combined(combined) {}

  bool StartElement(const du::Symbol& name, tqk::SerializedContentElement* element) override
  {
    if (name == kVisualAppearance) {
      m_combined.Callout::InitializeFromSerializedContent(element);
    } else if (name == kContainsCallout) {
      const du::SmartPtr<Callout> member(new Callout);
      if (member->InitializeFromSerializedContent(element))
        members.push_back(member);
    }
    return true;
  }

  CombinedCallout::Members members;

private:
  CombinedCallout& m_combined;
};

} // namespace

void CombinedCallout::Visit(tqk::SerializedContentElement& parent) const
{
  ReadLockGuard lock(*this);
  // A loaded combined callout is initialized only by its first scene; until then its definition
  // shows that it has content to keep, so a document loaded and saved again does not lose it.
  if (!m_initialized && !m_definition)
    return;
  tqk::SerializedContentElement& combined = parent.StartContent(du::Symbol("combinedcallout"));
  tqk::SerializedContentElement& appearance = combined.StartContent(kVisualAppearance);
  WriteContent(appearance.StartContent(GetClassStatic()));
  appearance.EndContent();
  combined.EndContent();
  for (const du::SmartPtr<Callout>& member : m_members) {
    if (!member)
      continue;
    member->SerializeContent(combined.StartContent(kContainsCallout));
    combined.EndContent();
  }
  parent.EndContent();
}

bool CombinedCallout::InitializeFromSerializedContent(const tqk::SerializedContentElement* element)
{
  if (!element)
    return false;
  WriteLockGuard lock(*this);
  SerializedCombinedCalloutVisitor reader(*this);
  element->Visit(reader);
  // The members read replace the ones that may still hold the scene this one lent them.
  if (m_scene)
    TakeBackScene(m_scene, m_members);
  m_members = reader.members;
  m_initialized = false;
  return true;
}

} // namespace tqannotations
