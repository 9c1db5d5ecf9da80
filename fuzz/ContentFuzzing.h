#pragma once

// What the fuzzers of annotations' saved content share: the document store's files of the process,
// the store's round trip, and the sample illustration in which loaded annotations are shown and
// drawn.

#include "support/ScratchFolder.h"

#include <du/SmartPtr.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/illustration/IllustrationBuilder.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace tqk {
class Annotation;
}

//! One per fuzzing process: a scratch folder of its own for the files that the document store
//! reads and writes, and the sample illustration, whose scene has an annotation set and whose view
//! draws it.
class ContentFuzzing
{
public:
  //! Loads a saved element into a new annotation; null when the annotation refuses it.
  using Loader = std::function<du::SmartPtr<tqk::Annotation>(const tqk::SerializedContentElement&)>;

  static ContentFuzzing& Get();
  ContentFuzzing(const ContentFuzzing&) = delete;
  ContentFuzzing& operator=(const ContentFuzzing&) = delete;

  //! The tree the store reads from the bytes as a file; null when it refuses them, which it must
  //! say why.
  std::unique_ptr<tqk::SerializedContentElement> Read(const std::uint8_t* data, std::size_t size);
  //! Saves the annotation, loads the file into a new one and saves that: aborts unless the
  //! store reads back what it wrote, the new annotation loads and both files are the same bytes.
  void CheckRoundTrip(const tqk::Annotation& annotation, const Loader& load);
  //! Adds the annotation to the scene's set, attaches, draws the view as the host redraws it,
  //! then lets the annotation go from the scene and the set.
  void ShowAndDraw(const du::SmartPtr<tqk::Annotation>& annotation,
                   const std::function<void()>& whileShown = {});

  tqk::illustration::IllustrationBuilder& Illustration() { return m_illustration; }

private:
  ContentFuzzing();
  std::string Save(const tqk::Annotation& annotation);
  void Draw();

  tqsupport::ScratchFolder m_folder{"content_fuzzer"};
  std::string m_input;
  std::string m_output;
  tqk::illustration::IllustrationBuilder m_illustration;
};

//! The first child element of the document, which the host hands an annotation to load; null for
//! a document without any.
inline const tqk::SerializedContentElement* FirstChild(const tqk::SerializedContentElement& document)
{
  for (const tqk::SerializedContentElement::Entry& entry : document.GetEntries())
    if (entry.child)
      return entry.child.get();
  return nullptr;
}
