#pragma once

#include <dg/Color.h>
#include <dg/DPoint3D.h>
#include <dg/DVec3.h>
#include <dg/FPoint3D.h>
#include <dg/FVec3.h>
#include <dg/Location.h>
#include <dg/Quat.h>
#include <du/SmartPtr.h>
#include <du/Symbol.h>

#include <cstdint>
#include <vector>

namespace dg {
struct DHex;
}
namespace tqg {
class Shape;
}
namespace tqimg {
class Image;
}

namespace tqk {

class SerializedContentElement;

//! Receives the walk of a content tree (tqk::SerializedContentElement::Visit).
//!
//! For each child element the walk calls StartElement, then the element's properties and children
//! in stored order, with EndAttributes before the first child element (or before EndElement when
//! there is none), then EndElement. Each property arrives as one typed Visit call.
//!
//! A reader overrides only the callbacks it needs (and brings the other Visit overloads into
//! scope with a using-declaration); every callback it does not supply ignores its value.
class SerializedContentVisitor
{
public:
  virtual ~SerializedContentVisitor() = default;

  //! A child element begins. The element is handed out changeable so that a reader may change a
  //! property in place (ChangeCurrentProperty) or walk the element itself. Returning false skips
  //! the element's content; EndElement still follows.
  virtual bool StartElement(const du::Symbol& name, SerializedContentElement* element);
  virtual void EndAttributes(const du::Symbol& name);
  virtual bool EndElement(const du::Symbol& name);

  // Lists of values.
  virtual void Visit(const du::Symbol& key, const std::vector<dg::DHex>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<du::SmartPtr<tqg::Shape>>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<dg::Color>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<dg::Quat>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<dg::FVec3>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<dg::DVec3>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<dg::FPoint3D>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<dg::DPoint3D>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<dg::Location>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<du::Symbol>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<std::int64_t>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<std::int32_t>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<std::int16_t>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<std::int8_t>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<std::uint64_t>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<std::uint32_t>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<std::uint16_t>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<std::uint8_t>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<float>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<double>& values);
  virtual void Visit(const du::Symbol& key, const std::vector<bool>& values);

  // Single values.
  virtual void Visit(const du::Symbol& key, const dg::DHex& value);
  virtual void Visit(const du::Symbol& key, const du::SmartPtr<tqg::Shape>& value);
  virtual void Visit(const du::Symbol& key, const dg::Color& value);
  virtual void Visit(const du::Symbol& key, const dg::Quat& value);
  virtual void Visit(const du::Symbol& key, const dg::FVec3& value);
  virtual void Visit(const du::Symbol& key, const dg::DVec3& value);
  virtual void Visit(const du::Symbol& key, const dg::FPoint3D& value);
  virtual void Visit(const du::Symbol& key, const dg::DPoint3D& value);
  virtual void Visit(const du::Symbol& key, const dg::Location& value);
  virtual void Visit(const du::Symbol& key, const du::SmartPtr<tqimg::Image>& value);
  virtual void Visit(const du::Symbol& key, const du::Symbol& value);
  virtual void Visit(const du::Symbol& key, std::int64_t value);
  virtual void Visit(const du::Symbol& key, std::int32_t value);
  virtual void Visit(const du::Symbol& key, std::int16_t value);
  virtual void Visit(const du::Symbol& key, std::int8_t value);
  virtual void Visit(const du::Symbol& key, std::uint64_t value);
  virtual void Visit(const du::Symbol& key, std::uint32_t value);
  virtual void Visit(const du::Symbol& key, std::uint16_t value);
  virtual void Visit(const du::Symbol& key, std::uint8_t value);
  virtual void Visit(const du::Symbol& key, float value);
  virtual void Visit(const du::Symbol& key, double value);
  virtual void Visit(const du::Symbol& key, bool value);
};

} // namespace tqk
