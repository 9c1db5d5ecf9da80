#include "ContentRecorder.h"

#include <tqk/SerializedContentElement.h>
#include <tqk/SerializedContentVisitor.h>

#include <gtest/gtest.h>

namespace {

using tqk::SerializedContentElement;

//! On the second "shapeid" inside the "leader" element it is walking, replaces the value.
class SecondShapeIdChanger : public tqk::SerializedContentVisitor
{
public:
  using tqk::SerializedContentVisitor::Visit;

  bool StartElement(const du::Symbol& name, SerializedContentElement* element) override
  {
    if (name == std::string("leader"))
      m_leader = element;
    return true;
  }
  bool EndElement(const du::Symbol&) override
  {
    m_leader = nullptr;
    return true;
  }
  void Visit(const du::Symbol& key, const du::Symbol&) override
  {
    if (m_leader && key == std::string("shapeid") && ++m_seen == 2)
      changed = m_leader->ChangeCurrentProperty(du::Symbol("new-part"));
  }

  bool changed = false;

private:
  SerializedContentElement* m_leader = nullptr;
  int m_seen = 0;
};

TEST(SerializedContentElement, ChangeCurrentPropertyChangesExactlyThatProperty)
{
  SerializedContentElement root(du::Symbol("callout"));
  root.AddProperty(du::Symbol("shapeid"), du::Symbol("old-part"));
  SerializedContentElement& leader = root.StartContent(du::Symbol("leader"));
  leader.AddProperty(du::Symbol("shapeid"), du::Symbol("old-part"));
  leader.AddProperty(du::Symbol("anchor"), dg::DPoint3D(1, 2, 3));
  leader.AddProperty(du::Symbol("shapeid"), du::Symbol("old-part"));
  leader.AddProperty(du::Symbol("asmid"), du::Symbol("old-part"));
  leader.EndContent();

  SecondShapeIdChanger changer;
  root.Visit(changer);

  EXPECT_TRUE(changer.changed);
  const std::vector<std::string> expected = {
      "symbol shapeid = [old-part]",
      "start leader",
      "symbol shapeid = [old-part]",
      "point anchor = 4607182418800017408 4611686018427387904 4613937818241073152",
      "symbol shapeid = [new-part]",
      "symbol asmid = [old-part]",
      "attributes end leader",
      "end leader"};
  EXPECT_EQ(RecordWalk(root), expected);
}

TEST(SerializedContentElement, ChangeCurrentPropertyRefusesOutsideAWalkAndAnotherType)
{
  SerializedContentElement root;
  root.AddProperty(du::Symbol("count"), std::int32_t(7));
  EXPECT_FALSE(root.ChangeCurrentProperty(std::int32_t(8))) << "no walk is at a property";

  struct TypeChanger : tqk::SerializedContentVisitor
  {
    using tqk::SerializedContentVisitor::Visit;
    void Visit(const du::Symbol&, std::int32_t) override
    {
      toFloat = element->ChangeCurrentProperty(1.5f);
      otherElement = sibling->ChangeCurrentProperty(std::int32_t(9));
    }
    SerializedContentElement* element = nullptr;
    SerializedContentElement* sibling = nullptr;
    bool toFloat = true;
    bool otherElement = true;
  } changer;
  SerializedContentElement sibling;
  sibling.AddProperty(du::Symbol("count"), std::int32_t(7));
  changer.element = &root;
  changer.sibling = &sibling;
  root.Visit(changer);

  EXPECT_FALSE(changer.toFloat);
  EXPECT_FALSE(changer.otherElement) << "the walk is not at a property of the sibling";
  EXPECT_EQ(RecordWalk(root), std::vector<std::string>{"int count = 7"});
  EXPECT_EQ(RecordWalk(sibling), std::vector<std::string>{"int count = 7"});
}

TEST(SerializedContentElement, ChangeCurrentPropertyRefusesInTheCallbacksBetweenProperties)
{
  // Each callback that is not a property's own tries to change the property visited just before.
  struct LateChanger : tqk::SerializedContentVisitor
  {
    bool StartElement(const du::Symbol&, SerializedContentElement* element) override
    {
      changed.push_back(parent->ChangeCurrentProperty(std::int32_t(-1)));
      child = element;
      return true;
    }
    void EndAttributes(const du::Symbol&) override
    {
      changed.push_back(parent->ChangeCurrentProperty(std::int32_t(-1)));
      changed.push_back(child->ChangeCurrentProperty(std::int32_t(-1)));
    }
    bool EndElement(const du::Symbol&) override
    {
      changed.push_back(parent->ChangeCurrentProperty(std::int32_t(-1)));
      return true;
    }
    SerializedContentElement* parent = nullptr;
    SerializedContentElement* child = nullptr;
    std::vector<bool> changed;
  } changer;

  SerializedContentElement root;
  SerializedContentElement& leader = root.StartContent(du::Symbol("leader"));
  leader.AddProperty(du::Symbol("type"), std::int32_t(1));
  leader.StartContent(du::Symbol("label")).AddProperty(du::Symbol("size"), std::int32_t(2));
  changer.parent = &leader;
  root.Visit(changer);

  // Start of the leader, its EndAttributes (twice), start of the label, its EndAttributes (twice),
  // end of the label, end of the leader.
  EXPECT_EQ(changer.changed, std::vector<bool>(8, false));
  EXPECT_EQ(RecordWalk(root),
            (std::vector<std::string>{"start leader", "int type = 1", "attributes end leader", "start label",
                                      "int size = 2", "attributes end label", "end label", "end leader"}));
}

//! Reads a "member" element with a walk of its own from inside StartElement, as a reader of nested
//! annotations does, and changes a property during that inner walk.
class NestingReader : public ContentRecorder
{
public:
  bool StartElement(const du::Symbol& name, SerializedContentElement* element) override
  {
    ContentRecorder::StartElement(name, element);
    if (name == std::string("member")) {
      struct Inner : ContentRecorder
      {
        using ContentRecorder::Visit;
        void Visit(const du::Symbol& key, std::uint32_t value) override
        {
          ContentRecorder::Visit(key, value);
          changed = element->ChangeCurrentProperty(std::uint32_t(value + 100));
        }
        SerializedContentElement* element = nullptr;
        bool changed = false;
      } inner;
      inner.element = element;
      element->Visit(inner);
      innerLines = inner.lines;
      innerChanged = inner.changed;
    }
    return name != std::string("leader"); // the inner walk has read it: its content is skipped
  }

  std::vector<std::string> innerLines;
  bool innerChanged = false;
};

TEST(SerializedContentElement, NestedWalkFromInsideStartElement)
{
  SerializedContentElement root(du::Symbol("combined"));
  root.AddProperty(du::Symbol("kind"), std::int32_t(0));
  SerializedContentElement& member = root.StartContent(du::Symbol("member"));
  member.AddProperty(du::Symbol("item"), std::uint32_t(5));
  SerializedContentElement& leader = member.StartContent(du::Symbol("leader"));
  leader.AddProperty(du::Symbol("hidden"), false);
  member.AddProperty(du::Symbol("after"), true);
  root.AddProperty(du::Symbol("tail"), std::uint16_t(3));

  NestingReader reader;
  root.Visit(reader);

  EXPECT_TRUE(reader.innerChanged);
  EXPECT_EQ(reader.innerLines,
            (std::vector<std::string>{"uint item = 5", "start leader", "bool hidden = false",
                                      "attributes end leader", "end leader", "bool after = true"}));
  // The outer walk goes on into the member after the inner one, and sees its change; of the
  // leader it declines only the start and the end are told.
  EXPECT_EQ(reader.lines, (std::vector<std::string>{"int kind = 0", "start member", "uint item = 105",
                                                    "attributes end member", "start leader", "end leader",
                                                    "bool after = true", "end member", "ushort tail = 3"}));
}

} // namespace
