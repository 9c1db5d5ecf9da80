#pragma once

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <stdlib.h>

namespace tqsupport {

//! A folder of the calling process's own for scratch files, for tests, examples, benchmarks and
//! fuzz targets.
//!
//! Made with mkdtemp in the system's temporary folder ($TMPDIR, else the system's default), so
//! its name cannot be foreseen and only its owner may enter it: two runs at once never meet, and
//! nobody can plant a file or a link where a run writes. Removed with all it holds when the
//! object goes.
class ScratchFolder
{
public:
  //! purpose starts the folder's name, to tell whose it is when one is left behind by a crash.
  explicit ScratchFolder(const std::string& purpose)
  {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) {
      m_error = "no temporary folder: " + error.message();
      return;
    }
    std::string pattern = (base / (purpose + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data())) {
      m_error = "cannot make a folder like \"" + pattern + "\": " + std::strerror(errno);
      return;
    }
    m_path = name.data();
  }
  ~ScratchFolder()
  {
    std::error_code ignored; // nothing left to tell when the run is over
    if (!m_path.empty())
      std::filesystem::remove_all(m_path, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  //! Whether the folder was made; when not, Error says why and File names nothing usable.
  bool IsMade() const { return !m_path.empty(); }
  const std::string& Error() const { return m_error; }
  const std::string& Path() const { return m_path; }
  //! The path of the file of this name in the folder.
  std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
  std::string m_path;
  std::string m_error;
};

} // namespace tqsupport
