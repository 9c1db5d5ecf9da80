#pragma once

#include <dg/DPoint3D.h>
#include <dg/Location.h>
#include <du/SmartPtr.h>
#include <tqk/ShapeInstance.h>
#include <tqk/ShapeView.h>
#include <tqk/illustration/Illustration3dScene.h>
#include <tqk/illustration/ItemsList.h>
#include <tqk/illustration/SbomTree.h>

#include <string>

namespace tqk {
namespace illustration {

//! Builds an illustration to play the host with, for tests and the example program: a fresh
//! structure tree for the world, an illustration scene with an items list, and a shape view of
//! that scene (800 x 600 pixels, the default camera: one world unit per pixel, looking down z).
//!
//! Assemblies and parts are named; a node's id path is its parent's id path, "/" and its name
//! (the name alone at the top), and its engineering instance has the same id path. Parts are
//! boxes shown in the scene; each part is listed as an item of its own, numbered from 1.
//!
//! TearDown closes the scene and lets the world's tree go, so that no pool object is left.
class IllustrationBuilder
{
public:
  IllustrationBuilder();
  IllustrationBuilder(const IllustrationBuilder&) = delete;
  IllustrationBuilder& operator=(const IllustrationBuilder&) = delete;
  ~IllustrationBuilder();

  //! An assembly below the parent (null: at the top); weld makes it a weld. Null when its id
  //! path is taken already.
  du::SmartPtr<SbomInstance> AddAssembly(const du::SmartPtr<SbomInstance>& parent, const std::string& name,
                                         bool weld = false);
  //! A box part from min to max in its own space below the parent (null: at the top), shown in
  //! the scene at the placement, listed as the next item (itemized or not). Null when its id
  //! path is taken already.
  du::SmartPtr<ShapeInstance> AddBoxPart(const du::SmartPtr<SbomInstance>& parent, const std::string& name,
                                         const dg::DPoint3D& min, const dg::DPoint3D& max,
                                         const dg::Location& placement, bool itemized = true);

  //! A part of the given geometry below the parent (null: at the top), shown at the placement and
  //! listed as the next item. Null when its id path is taken already or the geometry is null.
  du::SmartPtr<ShapeInstance> AddPart(const du::SmartPtr<SbomInstance>& parent, const std::string& name,
                                      const du::SmartPtr<tqg::Shape>& geometry, const dg::Location& placement,
                                      bool itemized = true);

  //! The sample: "frame" (a weld) holding "plate" and "rib"; "housing" holding "cover" and
  //! "bolt" (not itemized). Each part is a 10 x 10 x 2 box placed with its corner at x = 20 k
  //! for the k-th part (0 to 3), so that the view's pixel (20 k + 5, 5) lies on it.
  void BuildSample();
  //! Three more parts at the top, for center lines, beside the sample's: "bored", a 10 x 10 x 2
  //! box with a cylindrical face "bore" of radius 2 through it along z around (5, 5) (24 facets)
  //! and its two rim edges, at x = 80; "marked", such a box carrying a datum axis from
  //! (5, 5, 0) to (5, 5, 10), at x = 100; "rod", a lone straight edge "rod" from (0, 0, 0) to
  //! (0, 10, 0), at x = 120.
  void BuildCenterLineParts();

  //! The part shown for the node with that id path; null when there is none.
  du::SmartPtr<ShapeInstance> FindPart(const std::string& idPath) const;

  void TearDown();

  const du::SmartPtr<SbomTree>& GetTree() const { return m_tree; }
  const du::SmartPtr<Illustration3dScene>& GetScene() const { return m_scene; }
  const du::SmartPtr<ShapeView>& GetView() const { return m_view; }
  const du::SmartPtr<ItemsList>& GetItemsList() const { return m_items; }

private:
  du::SmartPtr<SbomInstance> AddNode(const du::SmartPtr<SbomInstance>& parent, const std::string& name);

  du::SmartPtr<SbomTree> m_tree;
  du::SmartPtr<Illustration3dScene> m_scene;
  du::SmartPtr<ShapeView> m_view;
  du::SmartPtr<ItemsList> m_items;
  unsigned m_nextItemId = 1;
};

} // namespace illustration
} // namespace tqk
