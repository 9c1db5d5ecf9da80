#pragma once

// Values drawn from a seed, alike with every standard library: they come from the engine's raw
// output, whose sequence the standard fixes, not through its distributions, which it does not.

#include <dg/Color.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace tqtest {

class RandomDraw
{
public:
  explicit RandomDraw(unsigned seed) : m_engine(seed) {}

  unsigned Below(unsigned count) { return static_cast<unsigned>(m_engine() % count); }
  bool OneIn(unsigned count) { return Below(count) == 0; }
  //! One of steps values from low on, each exact in a float for a step of a power of 2.
  float Step(float low, float step, unsigned steps) { return low + step * float(Below(steps)); }
  template <class T>
  T Of(std::initializer_list<T> values)
  {
    return values.begin()[Below(unsigned(values.size()))];
  }
  //! 8 bits a channel, the three channels different, so that none can pass for another.
  dg::Color Colour(float alpha = 1.0f)
  {
    const unsigned r = Below(256), g = (r + 1 + Below(127)) % 256, b = (g + 1 + Below(127)) % 256;
    return dg::Color(float(r) / 255, float(g) / 255, float(b) / 255, alpha);
  }

private:
  std::mt19937 m_engine;
};

//! 1 to count (or to TQ_SEEDS, when set), or the seed in TQ_SEED alone, which replays a failing one.
inline std::vector<unsigned> Seeds(unsigned count)
{
  const char* replay = std::getenv("TQ_SEED");
  const char* seedCount = std::getenv("TQ_SEEDS");
  std::vector<unsigned> seeds{replay ? static_cast<unsigned>(std::atoi(replay)) : 1u};
  while (!replay && seeds.size() < (seedCount ? static_cast<unsigned>(std::atoi(seedCount)) : count))
    seeds.push_back(seeds.back() + 1);
  return seeds;
}

} // namespace tqtest
