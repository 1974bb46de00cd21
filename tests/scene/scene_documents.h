// What the scene tests share: elements laid out as the writer lays them out, and a
// manager written to and read from text.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "ZinFileStreams.h"
#include "ZinSDK.h"
#include "test_support.h"

namespace QvZinTest {

inline const std::string kZeroId(32, '0');

/// The element moved depth levels down: a tab more after every line break.
inline std::string Nested(const std::string& element, int depth) {
  std::string out;
  for (char c : element) {
    out += c;
    if (c == '\n') out.append(static_cast<size_t>(depth), '\t');
  }
  return out;
}

/// An element whose attributes are a point's "X", "Y", "Z" or a colour's "R", "G", "B".
inline std::string Triple(const char* tag, const char* names, const std::string& a, const std::string& b,
                          const std::string& c) {
  const std::string values[3] = {a, b, c};
  std::string text = std::string("<") + tag;
  for (int i = 0; i < 3; ++i) text += std::string("\n\t ") + names[i] + "=\"" + values[i] + "\"";
  return text + "/>";
}
inline std::string Colour(const char* tag, int r, int g, int b) {
  return Triple(tag, "RGB", std::to_string(r), std::to_string(g), std::to_string(b));
}
inline std::string Point(const char* tag, const char* x, const char* y, const char* z) {
  return Triple(tag, "XYZ", x, y, z);
}

inline std::string Write(QvZin::IZinMgr* mgr) {
  QvZin::CZinMemoryWriteStream out;
  mgr->write(&out, nullptr);
  return out.bytes();
}

/// The element layout of the first element from open to close of a written text:
/// one line per element that has children, "Tag: Child Child ...", in document
/// order. The writer puts each element on a line of its own, a tab deeper than its
/// parent, which is all this reads.
inline std::string Outline(const std::string& text, const std::string& open, const std::string& close) {
  const size_t start = text.find(open), stop = start == std::string::npos ? start : text.find(close, start);
  if (stop == std::string::npos) return "";
  // From the start of the line, so that the first element's depth counts its tabs.
  const size_t line = text.rfind('\n', start) == std::string::npos ? 0 : text.rfind('\n', start) + 1;
  const std::string section = text.substr(line, stop + close.size() - line);
  std::vector<std::pair<size_t, std::string>> elements;  // depth, tag
  for (size_t at = 0; at < section.size();) {
    const size_t end = std::min(section.find('\n', at), section.size());
    const size_t tag = section.find_first_not_of('\t', at);
    if (tag < end && section[tag] == '<' && tag + 1 < end && section[tag + 1] != '/')
      elements.emplace_back(tag - at, section.substr(tag + 1, section.find_first_of(" \n/>", tag + 1) - tag - 1));
    at = end + 1;
  }
  std::string outline;
  for (size_t i = 0; i < elements.size(); ++i) {
    std::string children;
    for (size_t j = i + 1; j < elements.size() && elements[j].first > elements[i].first; ++j)
      if (elements[j].first == elements[i].first + 1) children += " " + elements[j].second;
    if (!children.empty()) outline += elements[i].second + ":" + children + "\n";
  }
  return outline;
}

/// text with its first from replaced by to (unchanged when from is absent).
inline std::string Edited(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

/// An edit of a written document that must make its read fail with exactly one warning.
struct CFailingEdit {
  std::string from, to, warning;
};

/// Each edit of text, read into a new manager, fails the read and is heard as its warning alone.
inline void ExpectEachEditFailsTheRead(const std::string& text, const std::vector<CFailingEdit>& edits) {
  for (const CFailingEdit& edit : edits) {
    FeedbackRecorder heard;
    ManagerHold failing(&heard);
    const std::string edited = Edited(text, edit.from, edit.to);
    ASSERT_NE(text, edited) << edit.from;
    EXPECT_FALSE(Read(failing.mgr, edited)) << edit.warning;
    EXPECT_EQ(Texts{edit.warning}, Heard(heard));
  }
}

}  // namespace QvZinTest
