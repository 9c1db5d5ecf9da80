#pragma once

#include <cstdint>

//! Counts the instructions the calling thread executes in user space, with the processor's own
//! counter (Linux perf events). Machines without such a counter (many virtual machines) give none:
//! IsAvailable is then false and Read stays 0; instruction counts are then taken with
//! valgrind --tool=callgrind instead.
class InstructionCounter
{
public:
  InstructionCounter();
  ~InstructionCounter();
  InstructionCounter(const InstructionCounter&) = delete;
  InstructionCounter& operator=(const InstructionCounter&) = delete;

  bool IsAvailable() const { return m_descriptor >= 0; }
  //! The instructions counted since the counter was made.
  std::uint64_t Read() const;

private:
  int m_descriptor = -1;
};
