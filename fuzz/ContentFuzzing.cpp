#include "ContentFuzzing.h"

#include <tqk/AnnoSet.h>
#include <tqk/Annotation.h>
#include <tqk/DocumentStore.h>
#include <tqk/Kernel.h>
#include <tqmu/Primitives.h>

#include <fstream>
#include <iterator>

namespace {

std::string ReadBytes(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const char* data, std::size_t size)
{
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(data, std::streamsize(size));
  if (!file)
    std::abort(); // the fuzzer's own file must be written
}

} // namespace

ContentFuzzing& ContentFuzzing::Get()
{
  static ContentFuzzing fuzzing;
  return fuzzing;
}

ContentFuzzing::ContentFuzzing()
{
  if (!m_folder.IsMade())
    std::abort(); // the fuzzer's own files need a place
  m_input = m_folder.File("input.xml");
  m_output = m_folder.File("output.xml");
  m_illustration.BuildSample();
  m_illustration.GetScene()->SetAnnoSet(new tqk::AnnoSet);
}

std::unique_ptr<tqk::SerializedContentElement> ContentFuzzing::Read(const std::uint8_t* data,
                                                                    std::size_t size)
{
  WriteBytes(m_input, reinterpret_cast<const char*>(data), size);
  std::string error;
  std::unique_ptr<tqk::SerializedContentElement> document = tqk::DocumentStore::Read(m_input, error);
  if (!document && error.empty())
    std::abort(); // a refusal always says why
  return document;
}

std::string ContentFuzzing::Save(const tqk::Annotation& annotation)
{
  tqk::SerializedContentElement document(du::Symbol("document"));
  annotation.Visit(document);
  std::string error;
  if (!tqk::DocumentStore::Write(document, m_output, error))
    std::abort(); // what an annotation loaded from a document holds can be saved again
  return ReadBytes(m_output);
}

void ContentFuzzing::CheckRoundTrip(const tqk::Annotation& annotation, const Loader& load)
{
  const std::string saved = Save(annotation);
  std::string error;
  const std::unique_ptr<tqk::SerializedContentElement> document = tqk::DocumentStore::Read(m_output, error);
  if (!document)
    std::abort(); // the store reads whatever it wrote
  const du::SmartPtr<tqk::Annotation> loaded = load(*document);
  if (!loaded)
    std::abort(); // what an annotation saved, it loads again
  if (Save(*loaded) != saved)
    std::abort(); // and saves to the very same bytes
}

void ContentFuzzing::ShowAndDraw(const du::SmartPtr<tqk::Annotation>& annotation,
                                 const std::function<void()>& whileShown)
{
  const du::SmartPtr<tqk::AnnoSet> set = m_illustration.GetScene()->GetAnnoSet();
  set->AddAnnotation(annotation);
  annotation->AttachScene(m_illustration.GetScene());
  Draw();
  if (whileShown) {
    whileShown();
    Draw();
  }
  set->RemoveAnnotationFromSet(annotation, nullptr);
  annotation->DetachScene();
  tqk::Kernel::GetKernel()->PumpQueue();
}

void ContentFuzzing::Draw()
{
  tqmu::Primitives primitives;
  m_illustration.GetView()->Redraw(primitives);
}
