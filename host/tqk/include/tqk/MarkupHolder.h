#pragma once

#include <du/SmartPtr.h>

#include <cstddef>
#include <list>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace tqk {

class Markup;

//! Holds markups by counted reference, in the order they came. Adding, finding and taking out
//! one markup take the same time however many the holder holds.
//!
//! The scene is the holder that annotations use: they add markups through tqk::Scene::AddMarkup
//! and take them out with RemoveMarkup.
class MarkupHolder
{
public:
  MarkupHolder() = default;
  MarkupHolder(const MarkupHolder&) = delete;
  MarkupHolder& operator=(const MarkupHolder&) = delete;
  virtual ~MarkupHolder();

  //! Takes the markup out; it loses its controller, a drag of it in progress ends (its shadow is
  //! let go), and it is told (OnRemovedFromHolder), as whatever leaves a holder is. False,
  //! changing nothing, when the holder does not hold it.
  virtual bool RemoveMarkup(const du::SmartPtr<Markup>& markup);

  bool HoldsMarkup(const du::SmartPtr<Markup>& markup) const;
  std::vector<du::SmartPtr<Markup>> GetMarkups() const;
  std::size_t GetMarkupCount() const;

protected:
  //! False for null and for a markup held already.
  bool InsertMarkup(const du::SmartPtr<Markup>& markup);
  //! Takes every markup out, as RemoveMarkup does.
  void RemoveAllMarkups();

private:
  using Markups = std::list<du::SmartPtr<Markup>>;

  //! What befalls a markup taken out (see RemoveMarkup).
  static void LetGo(Markup& markup);

  mutable std::mutex m_mutex;
  Markups m_markups;
  std::unordered_map<const Markup*, Markups::iterator> m_positions;
};

} // namespace tqk
