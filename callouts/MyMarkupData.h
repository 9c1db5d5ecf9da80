#pragma once

#include <dg/Color.h>
#include <dg/Pipeline.h>
#include <du/SmartPtr.h>
#include <tqmk/MarkupData.h>

#include <atomic>

namespace tqcontext {
class Context2D;
}
namespace tqmk {
class CalloutLabel;
}
namespace tqmu {
class Primitives;
}

namespace tqannotations {

class Callout;

//! The content of a callout's label: the host's label drawing, after which the leaders of a
//! frameless label are ended at the drawn text.
//!
//! The host asks for the primitives holding the write side of the callout's lock (the label's
//! controller lock, tqk::ShapeView::Redraw), so that the label's text and size are not being
//! assigned meanwhile and ending the leaders may take that side again.
class MyMarkupData : public tqmk::MarkupData
{
public:
  MyMarkupData(tqk::Markup* label, Callout* callout);

  void GetPrimitives(tqmu::Primitives& primitives, dg::Pipeline pipeline, tqcontext::Context2D* context,
                     int page, dg::Color background, unsigned short pass, bool selected) override;

  //! Lets the label's content stop calling back into the callout, when the content is the
  //! callout's own; a label that outlives its callout then draws without moving anything.
  static void ForgetCallout(const du::SmartPtr<tqmk::CalloutLabel>& label, const Callout& callout);

private:
  std::atomic<Callout*> m_callout;
};

} // namespace tqannotations
