#pragma once

#include <du/SmartPtr.h>

#include <cstddef>

namespace tqk {

class Operation;

//! Hands the operation to the world's undo history (tqk::UndoHistory::Record); false when the
//! history does not take it.
bool RecordOperation(const du::SmartPtr<Operation>& operation);

//! How many operations RecordOperation was handed in this process, taken by the history or not.
//! The history refuses an operation without a step, where another history might list it as an
//! entry that undoes nothing; this count shows what a caller hands over regardless.
std::size_t GetOfferedOperationCount();

} // namespace tqk
