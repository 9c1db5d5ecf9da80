// Feeds arbitrary bytes to the document store as the content of a file, and checks that whatever
// it accepts survives a round trip: written and read back, it writes the very same bytes again.

#include <tqk/DocumentStore.h>
#include <tqk/SerializedContentElement.h>

#include "support/ScratchFolder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

//! A file in a folder of this process's own, so that parallel fuzzing jobs do not collide.
std::string FuzzPath(const char* role)
{
  static const tqsupport::ScratchFolder scratch("document_store_fuzzer");
  if (!scratch.IsMade())
    std::abort();
  return scratch.File(std::string(role) + ".xml");
}

std::string ReadBytes(const std::string& path)
{
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

//! Writes the tree and returns the bytes of the file; aborts when a tree that was read cannot be
//! written, since the store must be able to write back whatever it reads.
std::string WriteBytes(const tqk::SerializedContentElement& tree, const std::string& path)
{
  std::string error;
  if (!tqk::DocumentStore::Write(tree, path, error))
    std::abort();
  return ReadBytes(path);
}

//! The two files of the run, removed with their folder when the fuzzer ends.
struct FuzzFiles
{
  const std::string input = FuzzPath("input");
  const std::string output = FuzzPath("output");
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static const FuzzFiles files;
  const std::string& input = files.input;
  const std::string& output = files.output;
  {
    std::ofstream file(input, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), std::streamsize(size));
  }
  std::string error;
  const std::unique_ptr<tqk::SerializedContentElement> tree = tqk::DocumentStore::Read(input, error);
  if (!tree) {
    if (error.empty())
      std::abort(); // a refusal always says why
    return 0;
  }
  const std::string written = WriteBytes(*tree, output);
  const std::unique_ptr<tqk::SerializedContentElement> again = tqk::DocumentStore::Read(output, error);
  if (!again || WriteBytes(*again, output) != written)
    std::abort(); // what the store wrote must read back to the same content
  return 0;
}
