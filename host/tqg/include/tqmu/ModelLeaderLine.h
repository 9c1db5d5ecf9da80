#pragma once

#include <tqmu/ModelLineStrip.h>

namespace tqmu {

//! The drawing model of a leader line: a line strip with arrow heads at its ends.
//!
//! Two switches govern the parts of the line that the model hides: whether they are drawn at
//! all, and whether they are drawn dashed. Both start off.
class ModelLeaderLine : public ModelLineStrip
{
public:
  //! What each end of the line carries (start is point 0).
  enum ArrowType
  {
    NONE_NONE = 0,
    ARROW_ARROW = 1,
    NONE_ARROW = 2,
    ARROW_NONE = 3,
    NONE_ROUND = 4,
    ROUND_NONE = 5,
    ROUND_ARROW = 6,
    ROUND_ROUND = 7,
    ARROW_ROUND = 8
  };

  ModelLeaderLine() : ModelLineStrip(2) {}

  void SetHiddenLinesShown(bool shown) { m_hiddenShown = shown; }
  bool AreHiddenLinesShown() const { return m_hiddenShown; }
  void SetHiddenLinesDashed(bool dashed) { m_hiddenDashed = dashed; }
  bool AreHiddenLinesDashed() const { return m_hiddenDashed; }

private:
  bool m_hiddenShown = false;
  bool m_hiddenDashed = false;
};

} // namespace tqmu
