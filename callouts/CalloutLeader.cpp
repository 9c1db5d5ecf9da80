#include <tqannotations/CalloutLeader.h>

#include "common/SharedHeaderKeys.h"

#include <tqannotations/CalloutLeaderShadow.h>

#include <dg/Location.h>
#include <tqk/Instance.h>

namespace tqannotations {
namespace {

// One more header key that this unit shares with the host's structure-tree units.
const du::Symbol kHeaderSbomInstance("SbomInstance");

} // namespace

CalloutLeader::CalloutLeader() = default;

CalloutLeader::CalloutLeader(du::SmartPtr<tqk::ShapeInstance> part, du::SmartPtr<tqk::BaseInstance> assembly)
    : m_part(std::move(part)), m_assembly(std::move(assembly))
{}

CalloutLeader::~CalloutLeader()
{
  m_assembly.Reset();
  m_part.Reset();
}

void CalloutLeader::SetAnchor(const dg::DPoint3D& anchor)
{
  m_anchor = anchor;
  const dg::Location placement = m_part ? m_part->GetLocation() : dg::Location();
  MovePoint(1, anchor * placement);
}

void CalloutLeader::SetHiddenAsDashed(bool dashed) { ShowHiddenLinesAsDashed(!dashed); }

std::string CalloutLeader::GetShapeInstanceId()
{
  if (!m_part)
    return std::string();
  const du::SmartPtr<tqk::Instance> instance = m_part->GetInstance();
  if (!instance)
    return std::string();
  const du::SmartPtr<tqk::BaseInstance> structureInstance = instance->GetSbomInstance();
  return structureInstance ? structureInstance->GetIDPath().GetText() : std::string();
}

std::string CalloutLeader::GetAssemblyInstanceId()
{
  return m_assembly ? m_assembly->GetIDPath().GetText() : std::string();
}

tqk::Markup* CalloutLeader::ConstructShadow(const du::SmartPtr<tqk::View>& view)
{
  if (m_hidden)
    return nullptr;
  return new CalloutLeaderShadow(view, this);
}

} // namespace tqannotations
