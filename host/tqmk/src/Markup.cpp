#include <tqk/MarkupController.h>
#include <tqk/ShapeView.h>
#include <tqmk/DragCursor.h>
#include <tqmk/Label.h>
#include <tqmk/LeaderLine.h>
#include <tqmk/Markup.h>
#include <tqmk/MarkupData.h>
#include <tqmk/MarkupShadow.h>

namespace tqmk {

const du::Symbol Markup::CLASS_TYPE("tqmk::Markup");
const du::Symbol Label::CLASS_TYPE("tqmk::Label");
const du::Symbol LeaderLine::CLASS_TYPE("tqmk::LeaderLine");
const du::Symbol MarkupShadow::CLASS_TYPE("tqmk::MarkupShadow");
const du::Symbol dragCursorMoveNode("tqmk::dragCursorMoveNode");

namespace {

dg::DPoint3D Moved(const dg::DPoint3D& point, const dg::DVec3& offset)
{
  return dg::DPoint3D(point.x + offset.x, point.y + offset.y, point.z + offset.z);
}

// A content on the markup's own drawing model: what the host draws until someone sets another.
du::SmartPtr<du::RefCounted> ContentOn(tqk::Markup* markup, const du::SmartPtr<tqmu::ModelBase>& model)
{
  du::SmartPtr<MarkupData> content(new MarkupData(markup));
  content->SetModelBase(model);
  return content;
}

} // namespace

Markup::~Markup()
{
  if (auto* content = dynamic_cast<MarkupData*>(GetContent().Get()))
    content->ForgetMarkup(this);
}

void Markup::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  tqk::Markup::GetClassTypes(types);
}

void Markup::Translate(const dg::DVec3& offset)
{
  for (const du::SmartPtr<tqk::Markup>& child : GetChildren())
    if (Markup* markup = dynamic_cast<Markup*>(child.Get()))
      markup->Translate(offset);
}

void Markup::OnSetSelected(bool selected, const du::SmartPtr<tqk::View>& view)
{
  SetSelected(selected, view);
}

Label::Label() : m_note(new tqmu::ModelNote) { SetContent(ContentOn(this, m_note), false); }

void Label::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  Markup::GetClassTypes(types);
}

void Label::BringToFront() { MoveToFront(); }

void Label::Translate(const dg::DVec3& offset)
{
  SetPos(Moved(GetPos(), offset));
  Markup::Translate(offset);
}

LeaderLine::LeaderLine() : m_model(new tqmu::ModelLeaderLine) { SetContent(ContentOn(this, m_model), false); }

void LeaderLine::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  Markup::GetClassTypes(types);
}

void LeaderLine::AppendPoint(const dg::DPoint3D& point) { m_model->GetVertices().push_back(point); }

bool LeaderLine::MovePoint(int index, const dg::DPoint3D& point)
{
  std::vector<dg::DPoint3D>& points = m_model->GetVertices();
  if (index < 0 || static_cast<std::size_t>(index) >= points.size())
    return false;
  points[static_cast<std::size_t>(index)] = point;
  return true;
}

void LeaderLine::ShowHiddenLinesAsDashed(bool dashed)
{
  m_model->SetHiddenLinesShown(dashed);
  m_model->SetHiddenLinesDashed(dashed);
}

bool LeaderLine::AreHiddenLinesShownAsDashed() const
{
  return m_model->AreHiddenLinesShown() && m_model->AreHiddenLinesDashed();
}

void LeaderLine::Translate(const dg::DVec3& offset)
{
  for (dg::DPoint3D& point : m_model->GetVertices())
    point = Moved(point, offset);
  Markup::Translate(offset);
}

MarkupShadow::MarkupShadow(const du::SmartPtr<tqk::View>& view, bool ephemeral)
    : m_view(view), m_ephemeral(ephemeral)
{}

void MarkupShadow::GetClassTypes(std::vector<du::Symbol>& types) const
{
  types.push_back(CLASS_TYPE);
  Markup::GetClassTypes(types);
}

void MarkupShadow::SetDragStopPosition(int x, int y)
{
  m_stopX = x;
  m_stopY = y;
}

dg::DVec3 MarkupShadow::GetDeltaInObjectSpace(const dg::DVec3& viewOffset) const
{
  const auto* shapeView = dynamic_cast<const tqk::ShapeView*>(m_view.Get());
  if (!shapeView)
    return viewOffset;
  dg::Camera3D camera;
  shapeView->GetCamera(camera);
  // An offset has no position: only the camera's linear part carries it.
  dg::DMat44 linear = camera.GetTransformationMatrix();
  for (int c = 0; c < 3; ++c)
    linear(3, c) = 0.0;
  if (!linear.Invert())
    return viewOffset;
  const dg::DPoint3D carried = dg::DPoint3D(viewOffset) * linear;
  return dg::DVec3(carried.x, carried.y, carried.z);
}

du::SmartPtr<tqk::Markup> MarkupShadow::GetMarkup() { return nullptr; }

bool MarkupShadow::GetDragCursor(const du::SmartPtr<tqmu::ModelBase>&, du::Symbol&) { return false; }

bool MarkupShadow::HandleDragStart() { return true; }

void MarkupShadow::HandleDragStep() {}

void MarkupShadow::HandleDragStop() {}

void MarkupShadow::Stop(const dg::DVec3& offset, const du::SmartPtr<tqk::Operation>& operation)
{
  Translate(offset);
  const du::SmartPtr<tqk::Markup> markup = GetMarkup();
  if (tqk::MarkupController* controller = markup ? markup->GetController() : nullptr)
    controller->MarkupUpdated(markup, du::SmartPtr<tqk::Markup>(this), operation);
}

} // namespace tqmk
