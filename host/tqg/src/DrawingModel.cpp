#include <tqmu/MarkupData.h>
#include <tqmu/ModelBase.h>
#include <tqmu/ModelContainer.h>
#include <tqmu/ModelLineStrip.h>
#include <tqmu/ModelNote.h>
#include <tqmu/ModelShadowPoint.h>
#include <tqmu/PrimitiveText2D.h>
#include <tqmu/Primitives.h>

#include <algorithm>

namespace tqmu {

void ModelBase::AppendPrimitives(Primitives&) const {}

bool ModelContainer::Holds(const ModelBase* node) const
{
  if (node == this)
    return true;
  for (const du::SmartPtr<ModelBase>& child : m_children) {
    const auto* container = dynamic_cast<const ModelContainer*>(child.Get());
    if (container ? container->Holds(node) : child.Get() == node)
      return true;
  }
  return false;
}

bool ModelContainer::AddHead(const du::SmartPtr<ModelBase>& child)
{
  // A container below itself would hold itself: never freed, and drawn without end.
  const auto* container = dynamic_cast<const ModelContainer*>(child.Get());
  if (!child || (container && container->Holds(this)) ||
      std::find(m_children.begin(), m_children.end(), child) != m_children.end())
    return false;
  m_children.insert(m_children.begin(), child);
  return true;
}

bool ModelContainer::Remove(const du::SmartPtr<ModelBase>& child)
{
  const auto found = std::find(m_children.begin(), m_children.end(), child);
  if (found == m_children.end())
    return false;
  m_children.erase(found);
  return true;
}

void ModelContainer::AppendPrimitives(Primitives& primitives) const
{
  for (const du::SmartPtr<ModelBase>& child : m_children)
    child->AppendPrimitives(primitives);
}

ModelLineStrip::ModelLineStrip(int reservedVertices)
{
  if (reservedVertices > 0)
    m_vertices.reserve(static_cast<std::size_t>(reservedVertices));
}

ModelShadowPoint::ModelShadowPoint(const dg::DPoint3D& position, float width, float height, bool filled)
    : m_width(width), m_height(height), m_filled(filled)
{
  GetLocation().SetPos(position);
}

void ModelNote::AppendPrimitives(Primitives& primitives) const
{
  primitives.Add(du::SmartPtr<Primitive>(new PrimitiveText2D(m_text, m_fontSize, dg::FPoint2D())));
}

bool Primitives::Add(const du::SmartPtr<Primitive>& primitive)
{
  if (!primitive)
    return false;
  m_primitives.push_back(primitive);
  return true;
}

du::SmartPtr<Primitive> Primitives::Get(unsigned index) const
{
  return index < m_primitives.size() ? m_primitives[index] : nullptr;
}

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

PrimitiveText2D::PrimitiveText2D(const std::string& text, float fontSize, const dg::FPoint2D& position)
    : m_text(text), m_position(position)
{
  unsigned lines = 1, longest = 0, current = 0;
  for (char c : text) {
    if (c == '\n') {
      ++lines;
      current = 0;
    } else if (!IsContinuationByte(c)) {
      longest = std::max(longest, ++current);
    }
  }
  m_width = 0.6f * fontSize * static_cast<float>(longest);
  m_height = 1.2f * fontSize * static_cast<float>(lines);
}

void MarkupData::GetPrimitives(Primitives& primitives, dg::Pipeline, tqcontext::Context2D*, int, dg::Color,
                               unsigned short, bool)
{
  if (m_model)
    m_model->AppendPrimitives(primitives);
}

} // namespace tqmu
