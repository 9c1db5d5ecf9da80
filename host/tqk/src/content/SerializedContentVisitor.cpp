#include <tqk/SerializedContentVisitor.h>

namespace tqk {

bool SerializedContentVisitor::StartElement(const du::Symbol&, SerializedContentElement*) { return true; }
void SerializedContentVisitor::EndAttributes(const du::Symbol&) {}
bool SerializedContentVisitor::EndElement(const du::Symbol&) { return true; }

void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<dg::DHex>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<du::SmartPtr<tqg::Shape>>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<dg::Color>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<dg::Quat>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<dg::FVec3>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<dg::DVec3>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<dg::FPoint3D>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<dg::DPoint3D>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<dg::Location>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<du::Symbol>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<std::int64_t>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<std::int32_t>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<std::int16_t>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<std::int8_t>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<std::uint64_t>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<std::uint32_t>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<std::uint16_t>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<std::uint8_t>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<float>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<double>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const std::vector<bool>&) {}

void SerializedContentVisitor::Visit(const du::Symbol&, const dg::DHex&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const du::SmartPtr<tqg::Shape>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const dg::Color&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const dg::Quat&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const dg::FVec3&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const dg::DVec3&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const dg::FPoint3D&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const dg::DPoint3D&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const dg::Location&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const du::SmartPtr<tqimg::Image>&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, const du::Symbol&) {}
void SerializedContentVisitor::Visit(const du::Symbol&, std::int64_t) {}
void SerializedContentVisitor::Visit(const du::Symbol&, std::int32_t) {}
void SerializedContentVisitor::Visit(const du::Symbol&, std::int16_t) {}
void SerializedContentVisitor::Visit(const du::Symbol&, std::int8_t) {}
void SerializedContentVisitor::Visit(const du::Symbol&, std::uint64_t) {}
void SerializedContentVisitor::Visit(const du::Symbol&, std::uint32_t) {}
void SerializedContentVisitor::Visit(const du::Symbol&, std::uint16_t) {}
void SerializedContentVisitor::Visit(const du::Symbol&, std::uint8_t) {}
void SerializedContentVisitor::Visit(const du::Symbol&, float) {}
void SerializedContentVisitor::Visit(const du::Symbol&, double) {}
void SerializedContentVisitor::Visit(const du::Symbol&, bool) {}

} // namespace tqk
