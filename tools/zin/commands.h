// The subcommands of the zin tool.
#pragma once

#include <string>
#include <vector>

#include "ZinSDK.h"

namespace ZinTool {

/// Collects every warning the library sends; optionally echoes them on stderr.
class CCollectingFeedback final : public QvZin::IZinFeedback {
public:
  explicit CCollectingFeedback(bool echo = false) : mEcho(echo) {}
  bool warning(QvZin::IZinMgr* mgr, const char* message) override;
  bool progress(QvZin::IZinMgr*, int, int) override { return true; }
  std::vector<std::string> warnings;

private:
  bool mEcho;
};

/// Holds one manager reference for the length of a command.
struct CManagerHold {
  QvZin::IZinMgr* mgr = nullptr;
  explicit CManagerHold(QvZin::IZinFeedback* feedback) {
    QvZin::CZinEntryPoints::newZinMgr(&mgr, QvZin::eZinVersionCurrent, feedback);
  }
  ~CManagerHold() {
    if (mgr) mgr->Release();
  }
  CManagerHold(const CManagerHold&) = delete;
  CManagerHold& operator=(const CManagerHold&) = delete;
};

/// zin info: readability, writer, creator, origin and preview size of each file.
int RunInfo(const std::vector<std::string>& files, bool json, unsigned jobs);
/// zin preview: the preview image of a file as a PNG.
int RunPreview(const std::string& file, const std::string& output);
/// zin check: reads each file fully; every warning and each finding of the tool's own
/// checks as a code, a severity and an element path, one result per file in input order.
int RunCheck(const std::vector<std::string>& files, bool json, bool strict, size_t maxIssues,
             const std::vector<std::string>& ignore, unsigned jobs);
/// zin check --codes: the table of codes, as Markdown.
int RunCheckCodes();
/// zin convert: a model Assimp reads into a ZIN file, or a ZIN file into any format
/// Assimp writes (chosen by the output's extension). cancelAfter (tests): cancel after
/// that many progress steps, -1 never. Status 0, 2 (failure), 130 (cancelled).
int RunConvert(const std::string& input, const std::string& output, long cancelAfter);
/// zin model-stats (hidden, for tests and the README table): what Assimp itself reads
/// from a model, as JSON: vertices, faces (of 3 or more corners), bounds.
int RunModelStats(const std::string& input);
/// zin resave: reads a file and writes it again with this library.
int RunResave(const std::string& input, const std::string& output);
/// zin import: the content what names ("lights,heliodons,objects,views,panoramas,
/// scenarios") of source merged into target, written to output. Status 0, 1 (the
/// import reported a failure; what it merged is written), 2 (unknown kind, a file
/// not read or not written).
int RunImport(const std::string& target, const std::string& source, const std::string& what,
              const std::string& output);

}  // namespace ZinTool
