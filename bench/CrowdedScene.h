#pragma once

#include <tqannotations/CenterLinesAnnotation.h>
#include <tqk/AnnoSet.h>
#include <tqk/SelectionItem.h>
#include <tqk/illustration/IllustrationBuilder.h>

#include <memory>
#include <vector>

//! The sample illustration with a number of measured center lines drawn in its scene, each between
//! the rib of the welded frame and the bolt of the housing, each following its parts. The lines
//! are made from one measured snapshot, so that filling the scene costs no measurement.
class CrowdedScene
{
public:
  explicit CrowdedScene(int lines);
  ~CrowdedScene();
  CrowdedScene(const CrowdedScene&) = delete;
  CrowdedScene& operator=(const CrowdedScene&) = delete;

  //! A scene of that many lines, kept for the next call with the same count: the repetitions of a
  //! benchmark, and the benchmarks of the same size, build it once, in whatever order they run.
  static CrowdedScene& Shared(int lines);
  //! Lets the kept scenes go; called before the program ends, while the host is still whole.
  static void ReleaseShared();

  //! An item of the part as an instance pick.
  du::SmartPtr<tqk::SelectionItem> PartItem(const char* idPath) const;
  //! The structure instance of the cover, which no line of the scene uses.
  du::SmartPtr<tqk::SelectionItem> FreeCollection() const;

  const tqk::illustration::IllustrationBuilder& Builder() const { return m_builder; }
  const du::SmartPtr<tqk::AnnoSet>& Set() const { return m_set; }
  const std::vector<du::SmartPtr<tqannotations::CenterLinesAnnotation>>& Lines() const { return m_lines; }

private:
  tqk::illustration::IllustrationBuilder m_builder;
  du::SmartPtr<tqk::AnnoSet> m_set;
  std::vector<du::SmartPtr<tqannotations::CenterLinesAnnotation>> m_lines;
};
