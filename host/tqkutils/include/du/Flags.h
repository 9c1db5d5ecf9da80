#pragma once

namespace du {

//! A word of option bits handed to a host request; what each bit means is the request's.
class Flags
{
public:
  constexpr Flags(unsigned bits = 0) noexcept : m_bits(bits) {}

  constexpr unsigned GetBits() const noexcept { return m_bits; }
  //! Whether every bit of mask is set.
  constexpr bool Has(unsigned mask) const noexcept { return (m_bits & mask) == mask; }

  constexpr bool operator==(const Flags& other) const noexcept { return m_bits == other.m_bits; }
  constexpr bool operator!=(const Flags& other) const noexcept { return m_bits != other.m_bits; }

private:
  unsigned m_bits;
};

} // namespace du
