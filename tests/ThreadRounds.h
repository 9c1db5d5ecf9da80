#pragma once

#include "StartLine.h"

#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <thread>
#include <vector>

namespace test_threads {

//! The threads of a concurrency test, each doing a fixed number of rounds of its own work.
//!
//! The threads start together behind a latch; each does its first round, then waits until every
//! thread has done its first, and only then does the rest. So every thread is running and has
//! done some work before any thread's measured part begins, whether the test runs on one core,
//! on many, or on a machine busy with other work, and no thread's loop depends on time. A round
//! that throws is reported as a test failure and ends its thread's work.
//!
//!     ThreadRounds threads;
//!     threads.Add(200, [&](int round) { Write(round); });
//!     threads.Add(200, [&](int) { Read(); });
//!     EXPECT_EQ(threads.Run(), threads.Asked());
class ThreadRounds
{
public:
  //! Adds a thread that calls work(0), work(1) ... work(rounds - 1); rounds is at least one.
  void Add(int rounds, std::function<void(int round)> work)
  {
    m_threads.push_back(Thread{rounds < 1 ? 1 : rounds, std::move(work), 0});
  }

  //! Adds count threads alike; work is told its thread's number among them and the round.
  void AddMany(int count, int rounds, const std::function<void(int thread, int round)>& work)
  {
    for (int thread = 0; thread < count; ++thread)
      Add(rounds, [work, thread](int round) { work(thread, round); });
  }

  //! Runs every thread to its end and returns the rounds each one finished, in the order added.
  std::vector<int> Run()
  {
    const int count = static_cast<int>(m_threads.size());
    StartLine started(count);
    StartLine firstRoundsDone(count);
    std::vector<std::thread> running;
    for (Thread& thread : m_threads)
      running.emplace_back([&thread, &started, &firstRoundsDone] {
        started.ArriveAndWait();
        bool going = thread.DoRound(0);
        firstRoundsDone.ArriveAndWait();
        for (int round = 1; going && round < thread.rounds; ++round)
          going = thread.DoRound(round);
      });
    for (std::thread& thread : running)
      thread.join();
    std::vector<int> done;
    for (const Thread& thread : m_threads)
      done.push_back(thread.done);
    return done;
  }

  //! The rounds each thread was asked for, to compare with what Run returns.
  std::vector<int> Asked() const
  {
    std::vector<int> asked;
    for (const Thread& thread : m_threads)
      asked.push_back(thread.rounds);
    return asked;
  }

private:
  struct Thread
  {
    int rounds;
    std::function<void(int)> work;
    int done; // written by its own thread only, read after the join

    bool DoRound(int round)
    {
      try {
        work(round);
        ++done;
        return true;
      } catch (const std::exception& error) {
        ADD_FAILURE() << "round " << round << " threw: " << error.what();
      } catch (...) {
        ADD_FAILURE() << "round " << round << " threw";
      }
      return false;
    }
  };

  std::vector<Thread> m_threads;
};

} // namespace test_threads
