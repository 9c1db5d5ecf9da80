#pragma once

#include <du/SmartPtr.h>

#include <cstddef>
#include <mutex>
#include <vector>

namespace tqk {

class Markup;

//! Holds markups by counted reference, in the order they came.
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

  //! Takes the markup out; it loses its controller and is told (OnRemovedFromHolder), as whatever
  //! leaves a holder is. False, changing nothing, when the holder does not hold it.
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
  mutable std::mutex m_mutex;
  std::vector<du::SmartPtr<Markup>> m_markups;
};

} // namespace tqk
