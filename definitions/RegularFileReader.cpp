#include "definitions/RegularFileReader.h"

#include <du/WideString.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tqannotations {
namespace {

bool ReadBounded(const std::filesystem::path& file, std::size_t maxSize, std::string& bytes)
{
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error))
    return false;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > maxSize)
    return false;
  std::ifstream stream(file, std::ios::binary);
  if (!stream)
    return false;
  // The size may change between the look and the read; what is read is still held to the limit,
  // with one byte more to tell a file of exactly maxSize bytes from a longer one.
  std::string content(static_cast<std::size_t>(size), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) {
      if (content.size() > maxSize)
        return false;
      content.resize(content.size() < maxSize ? std::min(maxSize, content.size() + 4096) : maxSize + 1);
    }
    stream.read(&content[filled], static_cast<std::streamsize>(content.size() - filled));
    filled += static_cast<std::size_t>(stream.gcount());
    if (stream.bad())
      return false;
    if (stream.eof())
      break;
  }
  content.resize(filled);
  bytes = std::move(content);
  return true;
}

} // namespace

bool ReadRegularFile(const std::string& path, std::size_t maxSize, std::string& bytes)
{
  bytes.clear();
  if (path.empty() || path.find('\0') != std::string::npos ||
      du::WideStrToUtf8(du::Utf8ToWideStr(path)) != path)
    return false;
  try {
    return ReadBounded(std::filesystem::u8path(path), maxSize, bytes);
  } catch (const std::exception&) {
    return false; // a path the system cannot take, or a file that does not fit in memory
  }
}

} // namespace tqannotations
