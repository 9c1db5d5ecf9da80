#pragma once

#include <dg/Color.h>
#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <tqmk/Markup.h>
#include <tqmu/ModelLeaderLine.h>
#include <tqmu/RenderAttrs.h>

#include <vector>

namespace tqmk {

//! A line through points of the scene, from point 0 on, with arrow heads at its ends.
//!
//! The points are the vertices of its drawing model (tqmu::ModelLeaderLine), in the scene's
//! space; its content is a tqmk::MarkupData on that model until someone sets another. The look
//! (colour, width in pixels, stipple and its scale, arrows, halo, hidden parts dashed) is kept as
//! given and returned by the getters.
class LeaderLine : public Markup
{
public:
  static const du::Symbol CLASS_TYPE;

  LeaderLine();

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  void AppendPoint(const dg::DPoint3D& point);
  //! Moves one point; false, nothing moved, for an index out of range.
  bool MovePoint(int index, const dg::DPoint3D& point);
  //! A copy of the points, point 0 first.
  std::vector<dg::DPoint3D> GetPoints() const { return m_model->GetVertices(); }

  void SetLineColor(const dg::Color& color) { m_lineColor = color; }
  const dg::Color& GetLineColor() const { return m_lineColor; }
  //! Width in pixels; below 1 counts as 1.
  void SetLineWidth(int pixels) { m_lineWidth = pixels < 1 ? 1 : pixels; }
  int GetLineWidth() const { return m_lineWidth; }
  void SetStipple(tqmu::RenderAttrs::LineStipple stipple) { m_stipple = stipple; }
  tqmu::RenderAttrs::LineStipple GetStipple() const { return m_stipple; }
  void SetStippleScale(float scale) { m_stippleScale = scale; }
  float GetStippleScale() const { return m_stippleScale; }
  void SetArrowStyle(tqmu::ModelLeaderLine::ArrowType style) { m_arrowStyle = style; }
  tqmu::ModelLeaderLine::ArrowType GetArrowStyle() const { return m_arrowStyle; }
  //! Sizes the arrow heads for the current line width: 4 pixels per pixel of width.
  void MatchArrowsToWidth() { m_arrowSize = 4 * m_lineWidth; }
  //! Arrow head length in pixels (8 until matched).
  int GetArrowSize() const { return m_arrowSize; }
  void SetHalo(bool halo) { m_halo = halo; }
  bool HasHalo() const { return m_halo; }
  //! Whether the parts of the line behind the model are drawn, dashed (both switches of the
  //! drawing model at once).
  void ShowHiddenLinesAsDashed(bool dashed);
  bool AreHiddenLinesShownAsDashed() const;

  const du::SmartPtr<tqmu::ModelLeaderLine>& GetModel() const { return m_model; }

  //! Moves every point.
  void Translate(const dg::DVec3& offset) override;

private:
  du::SmartPtr<tqmu::ModelLeaderLine> m_model;
  dg::Color m_lineColor = dg::Color(0, 0, 0, 1);
  int m_lineWidth = 1;
  tqmu::RenderAttrs::LineStipple m_stipple = tqmu::RenderAttrs::SOLID;
  float m_stippleScale = 1.0f;
  tqmu::ModelLeaderLine::ArrowType m_arrowStyle = tqmu::ModelLeaderLine::ARROW_NONE;
  int m_arrowSize = 8;
  bool m_halo = false;
};

} // namespace tqmk
