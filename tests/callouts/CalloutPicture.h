#pragma once

// Everything the host and the user can see of a callout, written as text in a fixed order and
// number format, so that two states compare as strings and a difference reads as a diff.

#include <tqannotations/CombinedCallout.h>

#include <du/SmartPtr.h>
#include <tqk/SerializedContentElement.h>
#include <tqk/ShapeScene.h>
#include <tqk/ShapeView.h>

#include <gtest/gtest.h>

#include <string>

namespace callout_test {

//! "(x y z)", each coordinate to six digits, as pictures write points.
std::string PointText(const dg::DPoint3D& point);

//! The text of a content tree: each property as "key = value" with its type, each child
//! indented below its name; floats and doubles written so that they read back to the bit.
std::string ContentText(const tqk::SerializedContentElement& element, int depth = 0);

//! What Visit saves of the annotation, as ContentText writes it.
std::string SavedText(const tqannotations::Callout& annotation);

//! Takes pictures of the annotations of one scene, drawn through one of its views.
//!
//! A picture has four sections:
//! - drawn: the view is redrawn (so that contents that act while drawn do so), then every
//!   markup of the scene, in drawing order, with what its drawing model carries, and the text
//!   primitives the redraw produced;
//! - saved: SavedText;
//! - told: how often the scene's annotation set and the observer registered with Listen were
//!   told since the previous picture;
//! - read: what the exported getters answer, leader by leader and member by member.
class CalloutPicture
{
public:
  CalloutPicture(const du::SmartPtr<tqk::ShapeScene>& scene, const du::SmartPtr<tqk::ShapeView>& view);
  ~CalloutPicture();

  //! Counts the label-position events of the callout from now on.
  void Listen(tqannotations::Callout& callout);
  //! Forgets what was told so far.
  void ForgetTold();

  std::string Of(tqannotations::Callout& callout);
  std::string Drawn(const tqannotations::Callout& callout);
  std::string Told();
  static std::string Read(tqannotations::Callout& callout);

private:
  class Counter;

  du::SmartPtr<tqk::ShapeScene> m_scene;
  du::SmartPtr<tqk::ShapeView> m_view;
  du::SmartPtr<Counter> m_counter;
  du::SmartPtr<tqannotations::Callout> m_listened;
  std::size_t m_setNoticesSeen = 0;
  int m_positionSetsSeen = 0;
};

//! Compares two pictures; on a difference, prints the lines that differ.
::testing::AssertionResult SamePicture(const std::string& expected, const std::string& actual);

//! The picture without the lines that contain one of the words.
std::string Without(const std::string& picture, std::initializer_list<const char*> words);

} // namespace callout_test
