#include "CrowdedScene.h"

#include <tqannotations/CenterLinesInfo.h>
#include <tqk/Kernel.h>
#include <tqk/ObjectSelectionItem.h>
#include <tqk/illustration/SbomInstanceSelectionItem.h>
#include <tqk/mcad_selection.h>

#include <map>

namespace {

std::map<int, std::unique_ptr<CrowdedScene>>& Kept()
{
  static std::map<int, std::unique_ptr<CrowdedScene>> kept;
  return kept;
}

} // namespace

CrowdedScene::CrowdedScene(int lines) : m_set(new tqk::AnnoSet)
{
  using tqannotations::CenterLinesAnnotation;
  m_builder.BuildSample();
  m_builder.GetScene()->SetAnnoSet(m_set);
  const std::vector<du::SmartPtr<tqk::SelectionItem>> items{PartItem("frame/rib"), PartItem("housing/bolt")};
  du::SmartPtr<CenterLinesAnnotation> model(new CenterLinesAnnotation);
  model->AttachScene(m_builder.GetScene());
  model->SetObjects(items, nullptr, true);
  tqk::Kernel::GetKernel()->PumpQueue();
  tqannotations::CenterLinesInfo measured;
  model->GetCenterLinesInfo(measured);
  model->DetachScene();
  measured.style.attached = true;
  m_lines.reserve(static_cast<std::size_t>(lines));
  for (int i = 0; i < lines; ++i) {
    du::SmartPtr<CenterLinesAnnotation> line(new CenterLinesAnnotation(measured));
    line->SetObjects(items, nullptr, false);
    line->AttachScene(m_builder.GetScene());
    m_set->AddAnnotation(line);
    m_lines.push_back(line);
  }
}

CrowdedScene::~CrowdedScene()
{
  m_builder.TearDown();
  tqk::Kernel::GetKernel()->PumpQueue();
}

CrowdedScene& CrowdedScene::Shared(int lines)
{
  std::unique_ptr<CrowdedScene>& kept = Kept()[lines];
  if (!kept)
    kept = std::make_unique<CrowdedScene>(lines);
  return *kept;
}

void CrowdedScene::ReleaseShared() { Kept().clear(); }

du::SmartPtr<tqk::SelectionItem> CrowdedScene::PartItem(const char* idPath) const
{
  du::SmartPtr<tqk::SelectionItem> item(
      new tqk::ObjectSelectionItem(m_builder.FindPart(idPath)->GetInstance()));
  item->SetContentType(tqk::mcad_selection::Instance);
  return item;
}

du::SmartPtr<tqk::SelectionItem> CrowdedScene::FreeCollection() const
{
  du::SmartPtr<tqk::SelectionItem> item(new tqk::illustration::SbomInstanceSelectionItem(
      m_builder.GetTree()->FindInstance(du::Symbol("housing/cover"))));
  item->SetContentType(tqk::mcad_selection::Collection);
  return item;
}
