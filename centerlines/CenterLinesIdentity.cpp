#include "common/ReadLockGuard.h"

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqannotations/SlotIdentity.h>
#include <tqk/BaseInstance.h>
#include <tqk/GeometrySelectionItem.h>
#include <tqk/Instance.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/World.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>
#include <tqk/illustration/SbomTree.h>
#include <tqk/mcad_selection.h>

#include <cstdint>

namespace tqannotations {

namespace {

const du::Symbol kSbomInstanceIdField("sbomInstanceId");
const du::Symbol kCollection("MCAD_Collection");

du::Symbol IdPathOfObject(const du::SmartPtr<tqk::Object>& object)
{
  const auto instance = du::SmartPtr<tqk::BaseInstance>::DynamicCast(object);
  return instance ? instance->GetIDPath() : du::Symbol::EMPTY;
}

du::SmartPtr<tqk::illustration::SbomInstance>
StructureInstanceOf(const du::SmartPtr<tqk::SelectionItem>& item)
{
  const auto picked = du::SmartPtr<tqk::illustration::SbomInstanceSelectionItem>::DynamicCast(item);
  return picked ? picked->GetSbomInstance() : nullptr;
}

// Every member of a weld stands for the whole weld.
du::Symbol WeldIdOf(const tqk::illustration::SbomInstance& structure)
{
  const du::SmartPtr<tqk::illustration::SbomInstance> weld = structure.GetTopWeld();
  return weld ? weld->GetIDPath() : du::Symbol::EMPTY;
}

} // namespace

du::SmartPtr<tqk::illustration::SbomInstance> SlotIdentity::StructureOf(const du::SmartPtr<SlotObject>& slot)
{
  return slot && slot->IsObjectValid() ? StructureInstanceOf(slot->GetSelectionItem()) : nullptr;
}

du::Symbol SlotIdentity::IdPathOf(const du::SmartPtr<SlotObject>& slot)
{
  if (!slot || !slot->IsObjectValid())
    return du::Symbol::EMPTY;
  const du::SmartPtr<tqk::SelectionItem>& item = slot->GetSelectionItem();
  const auto object = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(item);
  if (object && object->GetObject() &&
      (item->GetContentType() == tqk::mcad_selection::Instance ||
       item->GetContentType() == tqk::mcad_selection::Assembly))
    return IdPathOfObject(object->GetObject());
  const auto geometry = du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(item);
  if (geometry && geometry->GetParentObject())
    return IdPathOfObject(geometry->GetParentObject());
  return du::Symbol::EMPTY;
}

du::Symbol SlotIdentity::Of(const du::SmartPtr<SlotObject>& slot)
{
  const du::SmartPtr<tqk::illustration::SbomInstance> structure = StructureOf(slot);
  return structure ? WeldIdOf(*structure) : IdPathOf(slot);
}

void SlotIdentity::Take(const du::SmartPtr<SlotObject>& slot)
{
  du::SmartPtr<tqk::illustration::SbomInstance> structure = StructureOf(slot);
  du::Symbol idPath = structure ? du::Symbol::EMPTY : IdPathOf(slot);
  std::lock_guard<std::mutex> lock(m_mutex);
  // The old values go with the locals, after the mutex.
  std::swap(m_structure, structure);
  std::swap(m_idPath, idPath);
}

du::Symbol SlotIdentity::Get() const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_structure ? WeldIdOf(*m_structure) : m_idPath;
}

bool SlotIdentity::Is(const du::Symbol& id) const
{
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_structure ? WeldIdOf(*m_structure) == id : m_idPath == id;
}

du::Symbol CenterLinesAnnotation::GetSlotID(int slot, bool) { return SlotIdAt(slot); }

du::Symbol CenterLinesAnnotation::GetSlotName(int slot) { return SlotNameAt(slot); }

du::Symbol CenterLinesAnnotation::SlotIdAt(int slot) const
{
  ReadLockGuard lock(*this);
  if (slot < 0 || slot >= static_cast<int>(m_slots.size()))
    return du::Symbol::EMPTY;
  return SlotIdentity::Of(m_slots[slot]);
}

du::Symbol CenterLinesAnnotation::SlotNameAt(int slot) const
{
  ReadLockGuard lock(*this);
  if (slot < 0 || slot >= static_cast<int>(m_slots.size()) || !m_slots[slot] ||
      !m_slots[slot]->IsObjectValid())
    return du::Symbol::EMPTY;
  const du::SmartPtr<tqk::SelectionItem> item = m_slots[slot]->GetSelectionItem();
  if (const du::SmartPtr<tqk::illustration::SbomInstance> structure = StructureInstanceOf(item))
    return structure->GetObjectName();
  const auto object = du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(item);
  if (object && object->GetObject())
    return object->GetObject()->GetObjectName();
  const auto geometry = du::SmartPtr<tqk::GeometrySelectionItem>::DynamicCast(item);
  if (geometry && geometry->GetParentObject())
    return geometry->GetParentObject()->GetObjectName();
  return du::Symbol::EMPTY;
}

void CenterLinesAnnotation::SerializeString(du::OutputBuffer& buffer, const std::string& text) const
{
  buffer.Put4Byte(static_cast<std::uint32_t>(text.size()));
  buffer.Put1ByteArray(text.data(), text.size());
}

void CenterLinesAnnotation::SerializeSelectionItemData(
    du::OutputBuffer& buffer, const du::ConstSmartPtr<tqk::SelectionItemRepresentation>& selection) const
{
  // A missing selection is written as one without content type or fields, so that a list
  // keeps as many entries as its count says and each entry stays in its place.
  if (!selection) {
    SerializeString(buffer, std::string());
    buffer.Put4Byte(0);
    return;
  }
  SerializeString(buffer, selection->GetContentType().GetText());
  const std::vector<du::Symbol> names = selection->GetFieldNames();
  buffer.Put4Byte(static_cast<std::uint32_t>(names.size()));
  for (const du::Symbol& name : names) {
    SerializeString(buffer, name.GetText());
    buffer.Put4Byte(selection->IsFieldPartOfIdentity(name) ? 1 : 0);
    std::string value;
    selection->GetField(name, value);
    SerializeString(buffer, value);
  }
}

void CenterLinesAnnotation::SerializeSelectionVector(du::OutputBuffer& buffer,
                                                     const StoredSelections& selections) const
{
  buffer.Put4Byte(static_cast<std::uint32_t>(selections.size()));
  for (const du::ConstSmartPtr<tqk::SelectionItemRepresentation>& selection : selections)
    SerializeSelectionItemData(buffer, selection);
}

AssocAnnotation::StoredSelections CenterLinesAnnotation::GetSelectionItemDataRepresentations(
    const std::vector<du::SmartPtr<tqk::Object>>& objects) const
{
  StoredSelections selections;
  for (const du::SmartPtr<tqk::Object>& object : objects)
    if (const auto item = du::SmartPtr<tqk::SelectionItem>::DynamicCast(object))
      selections.push_back(item->GetRepresentation());
  return selections;
}

bool CenterLinesAnnotation::IsInstanceIn3dView(du::ConstSmartPtr<tqk::SelectionItemRepresentation>& selection)
{
  // A selection without fields names no structure instance that could be gone.
  if (!selection || selection->GetFieldNames().empty())
    return true;
  const du::Symbol first = selection->GetFieldNames().front();
  if (first != kSbomInstanceIdField)
    return true;
  std::string value;
  selection->GetField(first, value);
  const du::SmartPtr<tqk::illustration::SbomTree> tree =
      tqk::illustration::SbomTree::Get(tqk::World::GetWorld(), false, false);
  const du::SmartPtr<tqk::illustration::SbomInstance> instance =
      tree ? tree->FindInstance(du::Symbol(value)) : nullptr;
  if (!instance)
    return false;
  if (instance->GetReference())
    return true;
  const du::SmartPtr<tqk::Instance> engineering = instance->GetEbomInstance();
  return engineering && engineering->HasShapeSource();
}

std::vector<du::SmartPtr<tqk::Object>> CenterLinesAnnotation::GetAssociatedObjects() const
{
  ReadLockGuard lock(*this);
  const du::SmartPtr<tqk::SelectionItem> item =
      m_slots.empty() || !m_slots[0] ? nullptr : m_slots[0]->GetSelectionItem();
  if (!item)
    return {};
  if (item->GetContentType() != kCollection)
    return {item};
  std::vector<du::SmartPtr<tqk::Object>> members;
  if (const auto collection = du::SmartPtr<tqk::illustration::SbomInstanceSelectionItem>::DynamicCast(item))
    for (const du::SmartPtr<tqk::SelectionItem>& member : collection->GetMemberItems())
      if (du::SmartPtr<tqk::ObjectSelectionItem>::DynamicCast(member))
        members.push_back(member);
  return members;
}

} // namespace tqannotations
