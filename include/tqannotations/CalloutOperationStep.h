#pragma once

#include <dg/Color.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>
#include <tqannotations/CalloutInfo.h>
#include <tqannotations/Export.h>
#include <tqk/OperationStep.h>

#include <cstdint>

namespace tqannotations {

class Callout;

//! The undo step of a change of a callout's look.
//!
//! The host makes it on the callout before it changes anything, which takes the callout's
//! current look as the old values, then reports each new value through the setters. A value
//! that differs from the old one marks its field as changed (the mask only grows); Undo and Redo
//! apply the old or the new value of every marked field, in the order of the bits below, and then
//! tell the callout's scene that the callout changed.
class TQANNOTATIONS_EXPORT CalloutOperationStep : public tqk::OperationStep
{
public:
  //! One bit of the change mask per field.
  enum ChangedField : std::uint32_t
  {
    TEXT = 0x1,
    FONT_SIZE = 0x2,
    FONT_COLOR = 0x4,
    SHAPE = 0x8,
    FILL_COLOR = 0x10,
    LINE_STIPPLE = 0x20,
    LINE_WEIGHT = 0x40,
    LINE_COLOR = 0x80,
    HEAD = 0x100,
    HALO = 0x200,
    ALL_FIELDS = 0x3FF,
  };

  explicit CalloutOperationStep(const du::SmartPtr<Callout>& callout);
  CalloutOperationStep(const CalloutOperationStep& other);
  CalloutOperationStep& operator=(const CalloutOperationStep& other);
  ~CalloutOperationStep() override;

  void SetText(const du::Symbol& text);
  void SetFontSize(float size);
  void SetFontColor(const dg::Color& color);
  void SetFillColor(const dg::Color& color);
  void SetShape(int shape);
  void SetLineStipple(int stipple);
  //! In points.
  void SetLineWeight(float weight);
  void SetLineColor(const dg::Color& color);
  void SetHead(int arrowStyle);
  void SetHalo(bool halo);

  void Undo() override;
  void Redo() override;

  //! "Edit" and the callout's short description, from the host's message catalogue; empty when
  //! nothing changed.
  du::Symbol GetOperationName();

  std::uint32_t GetChangeMask() const { return m_changeMask; }
  const CalloutInfo& GetOldInfo() const { return m_oldInfo; }
  //! Only the fields whose bit is set hold reported values.
  const CalloutInfo& GetNewInfo() const { return m_newInfo; }

private:
  //! Marks the field and keeps the value, unless the value is the one the step started from.
  template <typename Value>
  void Report(const Value& value, const Value& old, Value& reported, ChangedField field);
  void Apply(const CalloutInfo& values);

  du::SmartPtr<Callout> m_callout;
  std::uint32_t m_changeMask = 0;
  CalloutInfo m_oldInfo;
  CalloutInfo m_newInfo;
};

} // namespace tqannotations
