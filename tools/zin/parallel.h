// Runs one job per input file on N threads and prints the results in input order.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ZinTool {

/// What one file's job produced: the text for standard output, and its exit status.
struct CFileResult {
  std::string output;
  int status = 0;
};

/// The number of threads when -j is not given: every core the system reports.
unsigned DefaultJobs();

/// Runs job on every file with up to jobs threads (each job builds its own managers,
/// since a manager belongs to one thread at a time) and writes each file's output to
/// standard output as soon as every earlier file's output is out, so the order is the
/// input order whatever finishes first. Returns the highest status of all jobs.
int RunFiles(const std::vector<std::string>& files, unsigned jobs,
             const std::function<CFileResult(const std::string&)>& job);

}  // namespace ZinTool
