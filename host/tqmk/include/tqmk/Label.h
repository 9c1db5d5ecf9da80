#pragma once

#include <dg/Color.h>
#include <dg/DPoint3D.h>
#include <du/SmartPtr.h>
#include <tqmk/Markup.h>
#include <tqmu/ModelNote.h>

#include <string>

namespace tqmk {

//! A text in a frame, drawn at a position of the scene.
//!
//! Its look lives in its note (tqmu::ModelNote), whose location's position is the label's
//! position; its content is a tqmk::MarkupData on that note until someone sets another.
class Label : public Markup
{
public:
  static const du::Symbol CLASS_TYPE;

  Label();

  du::Symbol GetClassType() const override { return CLASS_TYPE; }
  void GetClassTypes(std::vector<du::Symbol>& types) const override;

  void SetText(const std::string& text) { m_note->SetText(text); }
  const std::string& GetText() const { return m_note->GetText(); }
  void SetTextColor(const dg::Color& color) { m_note->SetTextColor(color); }
  const dg::Color& GetTextColor() const { return m_note->GetTextColor(); }
  void SetFillColor(const dg::Color& color) { m_note->SetFillColor(color); }
  const dg::Color& GetFillColor() const { return m_note->GetFillColor(); }
  void SetFontSize(float size) { m_note->SetFontSize(size); }
  float GetFontSize() const { return m_note->GetFontSize(); }
  //! Any code is kept as given; see tqmu::ModelNote::Shape.
  void SetShape(tqmu::ModelNote::Shape shape) { m_note->SetShape(shape); }
  tqmu::ModelNote::Shape GetShape() const { return m_note->GetShape(); }

  //! The position in the scene's space.
  void SetPos(const dg::DPoint3D& position) { m_note->GetLocation().SetPos(position); }
  dg::DPoint3D GetPos() const { return m_note->GetLocation().GetPosition(); }

  const du::SmartPtr<tqmu::ModelNote>& GetNote() const { return m_note; }

  //! Draws the label over every markup brought to the front before it (see GetFrontStamp).
  void BringToFront();

  void Translate(const dg::DVec3& offset) override;

private:
  du::SmartPtr<tqmu::ModelNote> m_note;
};

} // namespace tqmk
