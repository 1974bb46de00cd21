// The committed fuzz inputs (fuzz/corpus/<target>/ and fuzz/regressions/<target>/),
// for the tests that replay them through the fuzz harnesses.
#pragma once

#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdint>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace FuzzInputs {

/// The repository, found from this file's path (tests/ below it).
inline std::string Repository() {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/"));
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

/// The files of a folder, in no particular order.
inline std::vector<std::string> FilesOf(const std::string& folder) {
  std::vector<std::string> files;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* entry = readdir(dir))
      if (entry->d_name[0] != '.') files.push_back(folder + "/" + entry->d_name);
    closedir(dir);
  }
  return files;
}

/// The regression input name of target.
inline std::string Regression(const std::string& target, const std::string& name) {
  return ReadFile(Repository() + "/fuzz/regressions/" + target + "/" + name);
}

using Harness = int (*)(const uint8_t*, size_t);

/// Runs every seed and every regression input of target through harness, whose
/// oracles stop the process when they fail; a target without seeds fails the test.
inline void ReplayAll(const std::string& target, Harness harness) {
  std::vector<std::string> files = FilesOf(Repository() + "/fuzz/corpus/" + target);
  EXPECT_FALSE(files.empty()) << target << ": no seeds";
  for (const std::string& file : FilesOf(Repository() + "/fuzz/regressions/" + target)) files.push_back(file);
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const std::string bytes = ReadFile(file);
    harness(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
}

}  // namespace FuzzInputs
