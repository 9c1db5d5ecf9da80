#pragma once

#include <du/SmartPtr.h>
#include <tqk/Scene.h>
#include <tqmk/Label.h>

namespace tqmk {

//! The label of an illustration's callout: a tqmk::Label that knows the scene it is shown in and
//! can be dragged (its shadow is a tqmk::CalloutLabelShadow).
//!
//! It holds its scene counted while it is in it and lets it go when the scene takes it out, so
//! that a scene and its labels never keep each other alive.
class CalloutLabel : public Label
{
public:
  static const du::Symbol CLASS_TYPE;

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  void SetScene(const du::SmartPtr<tqk::Scene>& scene) { m_scene = scene; }
  const du::SmartPtr<tqk::Scene>& GetScene() const { return m_scene; }

  //! A new tqmk::CalloutLabelShadow for a drag in the view; the caller takes the first reference.
  tqk::Markup* ConstructShadow(const du::SmartPtr<tqk::View>& view) override;
  void OnRemovedFromHolder() override { m_scene.Reset(); }

private:
  du::SmartPtr<tqk::Scene> m_scene;
};

} // namespace tqmk
