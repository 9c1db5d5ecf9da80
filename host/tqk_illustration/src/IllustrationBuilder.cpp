#include <tqg/DatumAxis.h>
#include <tqg/Shape.h>
#include <tqk/World.h>
#include <tqk/illustration/IllustrationBuilder.h>

namespace tqk {
namespace illustration {

IllustrationBuilder::IllustrationBuilder()
    : m_tree(SbomTree::Get(World::GetWorld(), true, true)), m_scene(new Illustration3dScene),
      m_view(new ShapeView), m_items(new ItemsList)
{
  m_scene->SetItemsList(m_items);
  m_scene->AddView(m_view);
}

IllustrationBuilder::~IllustrationBuilder() { TearDown(); }

du::SmartPtr<SbomInstance> IllustrationBuilder::AddNode(const du::SmartPtr<SbomInstance>& parent,
                                                        const std::string& name)
{
  if (!m_tree)
    return nullptr;
  const du::Symbol idPath(parent ? parent->GetIDPath().GetText() + "/" + name : name);
  du::SmartPtr<SbomInstance> node(new SbomInstance(idPath, du::Symbol(name), idPath));
  if (!m_tree->AddInstance(parent, node))
    return nullptr;
  const du::SmartPtr<Instance> instance(new Instance(idPath));
  node->SetEbomInstance(instance);
  if (parent && parent->GetEbomInstance())
    parent->GetEbomInstance()->AddChild(instance);
  return node;
}

du::SmartPtr<SbomInstance> IllustrationBuilder::AddAssembly(const du::SmartPtr<SbomInstance>& parent,
                                                            const std::string& name, bool weld)
{
  const du::SmartPtr<SbomInstance> node = AddNode(parent, name);
  if (node)
    node->SetWeld(weld);
  return node;
}

du::SmartPtr<ShapeInstance> IllustrationBuilder::AddBoxPart(const du::SmartPtr<SbomInstance>& parent,
                                                            const std::string& name, const dg::DPoint3D& min,
                                                            const dg::DPoint3D& max,
                                                            const dg::Location& placement, bool itemized)
{
  return AddPart(parent, name, tqg::Shape::CreateBox(min, max), placement, itemized);
}

du::SmartPtr<ShapeInstance> IllustrationBuilder::AddPart(const du::SmartPtr<SbomInstance>& parent,
                                                         const std::string& name,
                                                         const du::SmartPtr<tqg::Shape>& geometry,
                                                         const dg::Location& placement, bool itemized)
{
  if (!geometry)
    return nullptr;
  const du::SmartPtr<SbomInstance> node = AddNode(parent, name);
  if (!node)
    return nullptr;
  const du::SmartPtr<Shape> shape(new Shape(geometry));
  const du::SmartPtr<Instance> instance = node->GetEbomInstance();
  instance->SetShapeSource(shape, geometry->ComputeDefaultBBox());
  m_items->AddItem(node, m_nextItemId++, itemized);
  return m_scene->CreateShapeInstance(instance, shape, placement);
}

void IllustrationBuilder::BuildSample()
{
  const dg::DPoint3D min(0, 0, 0), max(10, 10, 2);
  const auto at = [](double x) { return dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(x, 0, 0)); };
  const du::SmartPtr<SbomInstance> frame = AddAssembly(nullptr, "frame", true);
  AddBoxPart(frame, "plate", min, max, at(0));
  AddBoxPart(frame, "rib", min, max, at(20));
  const du::SmartPtr<SbomInstance> housing = AddAssembly(nullptr, "housing");
  AddBoxPart(housing, "cover", min, max, at(40));
  AddBoxPart(housing, "bolt", min, max, at(60), false);
}

void IllustrationBuilder::BuildCenterLineParts()
{
  const auto at = [](double x) { return dg::Location(dg::FMat33::IDENTITY, dg::DPoint3D(x, 0, 0)); };
  const dg::DPoint3D min(0, 0, 0), max(10, 10, 2);
  const dg::DVec3 up(0, 0, 1);

  const du::SmartPtr<tqg::Shape> bored = tqg::Shape::CreateBox(min, max);
  bored->AddFace(tqg::Face::CreateCylinder("bore", dg::DPoint3D(5, 5, 0), up, 2.0, 2.0, 24));
  bored->AddEdge(tqg::Edge::CreateCircle("rim0", dg::DPoint3D(5, 5, 0), up, 2.0, 24));
  bored->AddEdge(tqg::Edge::CreateCircle("rim1", dg::DPoint3D(5, 5, 2), up, 2.0, 24));
  AddPart(nullptr, "bored", bored, at(80));

  const du::SmartPtr<tqg::Shape> marked = tqg::Shape::CreateBox(min, max);
  marked->AddDatum(new tqg::DatumAxis(dg::DPoint3D(5, 5, 0), dg::DPoint3D(5, 5, 10)));
  AddPart(nullptr, "marked", marked, at(100));

  du::SmartPtr<tqg::Shape> rod(new tqg::Shape);
  rod->AddEdge(new tqg::Edge("rod", {dg::DPoint3D(0, 0, 0), dg::DPoint3D(0, 10, 0)}));
  AddPart(nullptr, "rod", rod, at(120));
}

du::SmartPtr<ShapeInstance> IllustrationBuilder::FindPart(const std::string& idPath) const
{
  const du::SmartPtr<SbomInstance> node = m_tree ? m_tree->FindInstance(du::Symbol(idPath)) : nullptr;
  return node && m_scene ? m_scene->GetShapeInstance(node->GetEbomInstance()) : nullptr;
}

void IllustrationBuilder::TearDown()
{
  if (m_scene)
    m_scene->Close();
  m_scene.Reset();
  m_view.Reset();
  m_items.Reset();
  // The world may have been given another tree since; that one is not this builder's to drop.
  if (m_tree && SbomTree::Get(World::GetWorld(), false, false) == m_tree)
    SbomTree::Release(World::GetWorld());
  m_tree.Reset();
}

} // namespace illustration
} // namespace tqk
