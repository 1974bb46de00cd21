#include "parallel.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace ZinTool {

unsigned DefaultJobs() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores ? cores : 1;
}

int RunFiles(const std::vector<std::string>& files, unsigned jobs,
             const std::function<CFileResult(const std::string&)>& job) {
  std::vector<CFileResult> results(files.size());
  std::vector<char> done(files.size(), 0);
  std::mutex lock;
  std::condition_variable finished;
  std::atomic<size_t> next{0};
  auto worker = [&] {
    for (size_t i = next++; i < files.size(); i = next++) {
      CFileResult result = job(files[i]);
      std::lock_guard<std::mutex> hold(lock);
      results[i] = std::move(result);
      done[i] = 1;
      finished.notify_one();
    }
  };
  const size_t threads = std::min<size_t>(std::max(jobs, 1u), files.size());
  std::vector<std::thread> pool;
  // One job on the calling thread's behalf would serialise printing behind it, so the
  // main thread only prints.
  for (size_t t = 0; t < threads; ++t) pool.emplace_back(worker);
  int status = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    std::unique_lock<std::mutex> hold(lock);
    finished.wait(hold, [&] { return done[i] != 0; });
    std::string output = std::move(results[i].output);
    status = std::max(status, results[i].status);
    hold.unlock();
    std::fwrite(output.data(), 1, output.size(), stdout);
    std::fflush(stdout);
  }
  for (std::thread& thread : pool) thread.join();
  return status;
}

}  // namespace ZinTool
