#pragma once

#include <mutex>

namespace tqk {

//! Guards the links between markups and their controllers, which both sides change: a markup
//! when it gets a new controller, a controller when it is destroyed.
std::mutex& ControllerLinkMutex();

} // namespace tqk
