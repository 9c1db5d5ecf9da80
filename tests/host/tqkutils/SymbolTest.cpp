#include "ThreadRounds.h"

#include <du/HashMap.h>
#include <du/Symbol.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_threads::ThreadRounds;

// Built during static initialisation, before main, like the plug-in's key symbols.
const du::Symbol kStaticKey("position");

TEST(Symbol, SameTextIsSameSymbol)
{
  EXPECT_EQ(du::Symbol("position"), kStaticKey);
  EXPECT_EQ(du::Symbol(std::string("position")), kStaticKey);
  EXPECT_NE(du::Symbol("Position"), kStaticKey);
  EXPECT_EQ(du::Symbol(), du::Symbol::EMPTY);
  EXPECT_EQ(du::Symbol(""), du::Symbol::EMPTY);
  EXPECT_TRUE(du::Symbol::EMPTY.IsEmpty());
}

TEST(Symbol, ComparesWithStringsAndLiterals)
{
  EXPECT_TRUE(kStaticKey == std::string("position"));
  EXPECT_TRUE(std::string("position") == kStaticKey);
  EXPECT_TRUE(kStaticKey != std::string("positio"));
  EXPECT_STREQ(kStaticKey.c_str(), "position");
  EXPECT_TRUE(kStaticKey == "position");
  EXPECT_TRUE("position" != du::Symbol("positions"));
  EXPECT_TRUE(du::Symbol::EMPTY == "");
  EXPECT_TRUE(du::Symbol::EMPTY == static_cast<const char*>(nullptr));
  EXPECT_FALSE(kStaticKey == static_cast<const char*>(nullptr));
}

TEST(Symbol, EmptySymbolIsReadyBeforeAnyConstructorRuns)
{
  // Constant initialisation: a static in any library may copy it during its own start-up.
  static const du::Symbol kBuiltAtCompileTime;
  EXPECT_EQ(kBuiltAtCompileTime, du::Symbol::EMPTY);
  EXPECT_EQ(du::Symbol(static_cast<const char*>(nullptr)), du::Symbol::EMPTY);
  EXPECT_EQ(du::Symbol(std::string()), du::Symbol::EMPTY);
  EXPECT_EQ(du::Symbol::EMPTY.GetText(), "");
  EXPECT_STREQ(du::Symbol::EMPTY.c_str(), "");
  EXPECT_TRUE(du::Symbol::EMPTY < kStaticKey);
  EXPECT_FALSE(kStaticKey < du::Symbol::EMPTY);
}

TEST(Symbol, KeepsEmbeddedZerosAndNonAsciiText)
{
  const std::string withZero("a\0b", 3);
  EXPECT_EQ(du::Symbol(withZero).GetText(), withZero);
  EXPECT_NE(du::Symbol(withZero), du::Symbol("a"));
  EXPECT_EQ(du::Symbol("Größe").GetText(), "Größe");
}

TEST(Symbol, InterningFromManyThreadsGivesOneSymbolPerText)
{
  constexpr int kThreads = 8;
  constexpr int kTexts = 2000;
  std::vector<std::vector<du::Symbol>> made(kThreads);
  ThreadRounds threads;
  threads.AddMany(kThreads, kTexts, [&made](int t, int i) {
    made[t].emplace_back("threaded-" + std::to_string((i * 7 + t) % kTexts));
  });
  ASSERT_EQ(threads.Run(), threads.Asked());

  for (int t = 0; t < kThreads; ++t)
    for (int i = 0; i < kTexts; ++i) {
      const du::Symbol& symbol = made[t][i];
      EXPECT_EQ(symbol, du::Symbol(symbol.GetText()));
      EXPECT_EQ(symbol.c_str(), du::Symbol(symbol.GetText()).c_str()) << "one stored copy";
    }
}

TEST(Symbol, ServesAsHashMapKey)
{
  du::HashMap<du::Symbol, du::Symbol> renamed;
  renamed[du::Symbol("old-id")] = du::Symbol("new-id");
  EXPECT_EQ(renamed.at(du::Symbol(std::string("old-id"))), du::Symbol("new-id"));
  EXPECT_EQ(renamed.count(du::Symbol("other")), 0u);
}

TEST(Symbol, TextIsFreedWithItsLastSymbolAndStillComparesEqualMeanwhile)
{
  const std::size_t before = du::Symbol::CountStoredTexts();
  {
    du::Symbol first("transient-text");
    const du::Symbol copy = first;
    du::Symbol moved = std::move(first);
    EXPECT_EQ(du::Symbol::CountStoredTexts(), before + 1);
    EXPECT_EQ(moved, du::Symbol(std::string("transient-text")));
    EXPECT_EQ(copy, moved);
    EXPECT_TRUE(first.IsEmpty()) << "a moved-from symbol is the empty one";
  }
  EXPECT_EQ(du::Symbol::CountStoredTexts(), before);
  EXPECT_EQ(du::Symbol("transient-text").GetText(), "transient-text") << "made again after it went";
  EXPECT_EQ(kStaticKey, du::Symbol("position")) << "texts still referred to stay";
}

TEST(Symbol, ThreadsMakingAndDroppingTheSameTextsLeaveNothingBehind)
{
  const std::size_t before = du::Symbol::CountStoredTexts();
  ThreadRounds threads;
  threads.AddMany(8, 20000, [](int, int i) {
    const du::Symbol made("churn-" + std::to_string(i % 7));
    const du::Symbol again(made.GetText());
    if (made != again)
      ADD_FAILURE() << "one text gave two symbols";
  });
  EXPECT_EQ(threads.Run(), threads.Asked());
  EXPECT_EQ(du::Symbol::CountStoredTexts(), before);
}

} // namespace
