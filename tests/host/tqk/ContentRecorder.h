#pragma once

#include <tqk/SerializedContentElement.h>
#include <tqk/SerializedContentVisitor.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

//! Writes down every callback of a walk, floating-point values by their bits, so that two walks
//! can be compared line by line.
class ContentRecorder : public tqk::SerializedContentVisitor
{
public:
  std::vector<std::string> lines;

  using tqk::SerializedContentVisitor::Visit;

  bool StartElement(const du::Symbol& name, tqk::SerializedContentElement*) override
  {
    lines.push_back("start " + name.GetText());
    return true;
  }
  void EndAttributes(const du::Symbol& name) override { lines.push_back("attributes end " + name.GetText()); }
  bool EndElement(const du::Symbol& name) override
  {
    lines.push_back("end " + name.GetText());
    return true;
  }

  void Visit(const du::Symbol& key, bool value) override { Add("bool", key, value ? "true" : "false"); }
  void Visit(const du::Symbol& key, std::int32_t value) override { Add("int", key, std::to_string(value)); }
  void Visit(const du::Symbol& key, std::uint32_t value) override { Add("uint", key, std::to_string(value)); }
  void Visit(const du::Symbol& key, std::uint16_t value) override
  {
    Add("ushort", key, std::to_string(value));
  }
  void Visit(const du::Symbol& key, std::uint64_t value) override
  {
    Add("uint64", key, std::to_string(value));
  }
  void Visit(const du::Symbol& key, float value) override { Add("float", key, Bits(value)); }
  void Visit(const du::Symbol& key, const du::Symbol& value) override
  {
    Add("symbol", key, "[" + value.GetText() + "]");
  }
  void Visit(const du::Symbol& key, const dg::DPoint3D& value) override
  {
    Add("point", key, Bits(value.x) + " " + Bits(value.y) + " " + Bits(value.z));
  }
  void Visit(const du::Symbol& key, const dg::Color& value) override
  {
    Add("color", key, Bits(value.r) + " " + Bits(value.g) + " " + Bits(value.b) + " " + Bits(value.a));
  }
  void Visit(const du::Symbol& key, const dg::Quat& value) override
  {
    Add("quat", key, Bits(value.x) + " " + Bits(value.y) + " " + Bits(value.z) + " " + Bits(value.w));
  }

private:
  void Add(const char* type, const du::Symbol& key, const std::string& value)
  {
    lines.push_back(std::string(type) + " " + key.GetText() + " = " + value);
  }
  template <class Float>
  static std::string Bits(Float value)
  {
    std::conditional_t<sizeof(Float) == 4, std::uint32_t, std::uint64_t> bits;
    std::memcpy(&bits, &value, sizeof bits);
    return std::to_string(bits);
  }
};

//! The walk of the element, as ContentRecorder writes it down.
inline std::vector<std::string> RecordWalk(const tqk::SerializedContentElement& element)
{
  ContentRecorder recorder;
  element.Visit(recorder);
  return recorder.lines;
}
