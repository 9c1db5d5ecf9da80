#pragma once

#include <du/SmartPtr.h>

namespace tqk {

class Operation;

//! Hands the operation to the world's undo history (tqk::UndoHistory::Record); false when the
//! history does not take it.
bool RecordOperation(const du::SmartPtr<Operation>& operation);

} // namespace tqk
