// Writing a content tree of 100,000 properties to a file through the document store and reading it
// back, against copying the same number of bytes (the file's) in memory in the same run; the
// summary at the end states the round trip as a multiple of the copy.

#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>

#include "RatioReporter.h"
#include "support/ScratchFolder.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using tqk::DocumentStore;
using tqk::SerializedContentElement;

constexpr int LEADERS = 1000;
constexpr int PROPERTIES_PER_LEADER = 100; // 100,000 properties in all

//! Leaders of the kind callouts save: every value type, keys repeated from leader to leader.
std::unique_ptr<SerializedContentElement> MakeTree()
{
  auto root = std::make_unique<SerializedContentElement>(du::Symbol("document"));
  for (int leader = 0; leader < LEADERS; ++leader) {
    SerializedContentElement& element = root->StartContent(du::Symbol("leader"));
    for (int i = 0; i < PROPERTIES_PER_LEADER; i += 10) {
      const double d = leader + i / 7.0;
      element.AddProperty(du::Symbol("anchor"), dg::DPoint3D(d, -d / 3.0, d * 1e-3));
      element.AddProperty(du::Symbol("shapeid"),
                          du::Symbol("part/" + std::to_string(leader) + "/" + std::to_string(i)));
      element.AddProperty(du::Symbol("isdetached"), (i & 1) != 0);
      element.AddProperty(du::Symbol("type"), std::int32_t(-i));
      element.AddProperty(du::Symbol("itemListId"), std::uint32_t(leader * 100 + i));
      element.AddProperty(du::Symbol("xyzFlag"), std::uint16_t(i));
      element.AddProperty(du::Symbol("id"), std::uint64_t(leader) << 40 | std::uint64_t(i));
      element.AddProperty(du::Symbol("lineweight"), float(d) / 3.0f);
      element.AddProperty(du::Symbol("linecolor"), dg::Color(0.1f, 0.2f, float(i) / 100.0f, 1.0f));
      element.AddProperty(du::Symbol("csys"), dg::Quat(0.0, std::sin(d), 0.0, std::cos(d)));
    }
    element.EndContent();
  }
  return root;
}

const SerializedContentElement& Tree()
{
  static const std::unique_ptr<SerializedContentElement> tree = MakeTree();
  return *tree;
}

//! The file the benchmarks write and read, in a folder of this run's own.
std::string FilePath()
{
  static const tqsupport::ScratchFolder scratch("tq-content-store-benchmark");
  return scratch.File("content.xml");
}

//! The bytes the store writes for the tree: what the copy baseline copies.
const std::string& StoredBytes()
{
  static const std::string bytes = [] {
    std::string error;
    const std::string path = FilePath();
    if (!DocumentStore::Write(Tree(), path, error))
      return std::string();
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    std::remove(path.c_str());
    return text.str();
  }();
  return bytes;
}

void CopyStoredBytesInMemory(benchmark::State& state)
{
  const std::string& bytes = StoredBytes();
  std::string copy(bytes.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(CopyStoredBytesInMemory)->Unit(benchmark::kMicrosecond);

void WriteAndReadBackThroughStore(benchmark::State& state)
{
  const SerializedContentElement& tree = Tree();
  const std::string path = FilePath();
  for (auto _ : state) {
    std::string error;
    if (!DocumentStore::Write(tree, path, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
    const std::unique_ptr<SerializedContentElement> read = DocumentStore::Read(path, error);
    if (!read || read->GetChildCount() != LEADERS) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(read.get());
  }
  std::remove(path.c_str());
  state.counters["file_bytes"] = static_cast<double>(StoredBytes().size());
}
BENCHMARK(WriteAndReadBackThroughStore)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
  return RatioReporter::RunBenchmarks(argc, argv,
                                      {
                                          {"WriteAndReadBackThroughStore", "CopyStoredBytesInMemory", 0.0},
                                      });
}
