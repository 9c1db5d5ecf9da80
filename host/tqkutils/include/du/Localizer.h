#pragma once

#include <du/AssembleArgs.h>

#include <string>

namespace du {

//! Looks messages up by key in one message catalogue (see du::MessageCatalog).
class Localizer
{
public:
  //! What LocalizeMessage gives for a key that the catalogue lacks.
  enum FailureAction
  {
    RETURN_KEY = 0,   //!< the key itself
    RETURN_EMPTY = 1, //!< the empty text
  };

  explicit Localizer(const std::string& catalogue);

  //! The message of the key with its placeholders filled from the arguments, in order.
  //! A placeholder without an argument stays as it is; surplus arguments are ignored.
  std::string LocalizeMessage(const std::string& key, int failureAction,
                              const AssembleArgs& args = AssembleArgs()) const;
  //! The same, with the arguments before the failure action.
  std::string LocalizeMessage(const std::string& key, const AssembleArgs& args, int failureAction) const
  {
    return LocalizeMessage(key, failureAction, args);
  }

private:
  std::string m_catalogue;
};

} // namespace du
