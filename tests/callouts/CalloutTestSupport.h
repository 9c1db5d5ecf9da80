#pragma once

// Templates, parts and scenes for the callout tests, and a callout that lets the tests add
// leaders directly.

#include <tqannotations/Callout.h>

#include <dg/Location.h>
#include <tqk/Instance.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>
#include <tqk/World.h>
#include <tqk/illustration/SbomInstance.h>
#include <tqk/illustration/SbomTree.h>
#include <tqmk/CalloutLabel.h>

#include <string>

namespace callout_test {

using namespace tqannotations;

//! A callout whose leaders the test adds itself, as placement on parts does.
class TestCallout : public Callout
{
public:
  using Callout::_Initialize;
  using Callout::AppendLeader;
  using Callout::Callout;

  //! A new leader to the anchor on the part, appended with its record.
  du::SmartPtr<CalloutLeader> AddLeader(const du::SmartPtr<tqk::ShapeInstance>& part,
                                        const dg::DPoint3D& anchor = dg::DPoint3D::ORIGIN,
                                        const du::SmartPtr<tqk::BaseInstance>& assembly = nullptr)
  {
    du::SmartPtr<CalloutLeader> leader = CreateCalloutLeader(anchor, part, assembly);
    AppendLeader(leader);
    return leader;
  }
};

//! A template for a callout with leaders (or a note): black text on white, 10 pixels, a circle,
//! and one line style of 1 pixel, black, with an arrow at the start.
inline du::SmartPtr<TAnnotation> Template(bool hasLeaders = true)
{
  du::SmartPtr<TAnnotation> definition(new TAnnotation);
  definition->hasLeaders = hasLeaders;
  definition->label = new TLabel;
  definition->leaders = new TLeaders;
  definition->leaders->styles.push_back(new LineStyle);
  return definition;
}

inline LineStyle& LineOf(const du::SmartPtr<TAnnotation>& definition)
{
  return *definition->leaders->styles.back();
}

//! A shape scene with one shape view whose camera maps world x and y to view pixels one to one.
struct SceneWithView
{
  SceneWithView() : scene(new tqk::ShapeScene), view(new tqk::ShapeView) { scene->AddView(view); }
  ~SceneWithView() { scene->Close(); }

  //! A part without geometry, placed by the location.
  du::SmartPtr<tqk::ShapeInstance> AddPart(const std::string& idPath,
                                           const dg::Location& location = dg::Location())
  {
    du::SmartPtr<tqk::Instance> instance(new tqk::Instance(du::Symbol(idPath)));
    return scene->CreateShapeInstance(instance, nullptr, location);
  }

  du::SmartPtr<tqk::ShapeScene> scene;
  du::SmartPtr<tqk::ShapeView> view;
};

//! The world's structure tree for one test: made empty at the start, let go at the end.
struct StructureTree
{
  StructureTree() : tree(tqk::illustration::SbomTree::Get(tqk::World::GetWorld(), true, true)) {}
  ~StructureTree() { tqk::illustration::SbomTree::Release(tqk::World::GetWorld()); }

  //! A node with that id path standing for the instance (none when null), under the parent.
  du::SmartPtr<tqk::illustration::SbomInstance>
  Add(const std::string& idPath, const du::SmartPtr<tqk::Instance>& instance,
      const du::SmartPtr<tqk::illustration::SbomInstance>& parent = nullptr)
  {
    const du::Symbol ebomPath = instance ? instance->GetIDPath() : du::Symbol();
    du::SmartPtr<tqk::illustration::SbomInstance> node(
        new tqk::illustration::SbomInstance(du::Symbol(idPath), du::Symbol(idPath), ebomPath));
    node->SetEbomInstance(instance);
    tree->AddInstance(parent, node);
    return node;
  }

  du::SmartPtr<tqk::illustration::SbomTree> tree;
};

//! The callout label shown in the scene; null when none is.
inline du::SmartPtr<tqmk::CalloutLabel> LabelIn(const tqk::Scene& scene)
{
  for (const du::SmartPtr<tqk::Markup>& markup : scene.GetMarkups())
    if (const auto label = du::SmartPtr<tqmk::CalloutLabel>::DynamicCast(markup))
      return label;
  return nullptr;
}

inline dg::Location Translation(double x, double y, double z)
{
  return dg::Location(dg::DPoint3D(x, y, z), dg::Quat(0, 0, 0, 1), 1.0);
}

} // namespace callout_test
