#include "callouts/MyMarkupData.h"

#include <tqannotations/Callout.h>
#include <tqmk/CalloutLabel.h>
#include <tqmu/PrimitiveText2D.h>
#include <tqmu/Primitives.h>

namespace tqannotations {

MyMarkupData::MyMarkupData(tqk::Markup* label, Callout* callout) : tqmk::MarkupData(label), m_callout(callout)
{}

void MyMarkupData::GetPrimitives(tqmu::Primitives& primitives, dg::Pipeline pipeline,
                                 tqcontext::Context2D* context, int page, dg::Color background,
                                 unsigned short pass, bool selected)
{
  tqmu::MarkupData::GetPrimitives(primitives, pipeline, context, page, background, pass, selected);
  for (unsigned index = 0; index < primitives.GetSize(); ++index) {
    const auto text = du::SmartPtr<tqmu::PrimitiveText2D>::DynamicCast(primitives.Get(index));
    if (!text)
      continue;
    Callout* callout = m_callout.load();
    if (!callout)
      return;
    const float pad = callout->GetNoShapeCalloutTextAreaPad();
    const float halfWidth = (text->GetWidth() + pad) / 2.0f;
    const float halfHeight = (text->GetHeight() + pad) / 2.0f;
    dg::FBox2D box(dg::FPoint2D(-halfWidth, -halfHeight), dg::FPoint2D(halfWidth, halfHeight));
    callout->ShortenLeaders(box);
    return;
  }
}

void MyMarkupData::ForgetCallout(const du::SmartPtr<tqmk::CalloutLabel>& label, const Callout& callout)
{
  if (!label)
    return;
  const auto content = du::SmartPtr<MyMarkupData>::DynamicCast(label->GetContent());
  if (!content)
    return;
  Callout* expected = const_cast<Callout*>(&callout);
  content->m_callout.compare_exchange_strong(expected, nullptr);
}

} // namespace tqannotations
