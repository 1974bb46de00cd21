// What the scene tests share: elements laid out as the writer lays them out, and a
// manager written to and read from text.
#pragma once

#include <algorithm>
#include <functional>
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

/// A child line of an element at depth 0: a line break, a tab, the child moved down.
inline std::string Child(const std::string& element) { return "\n\t" + Nested(element, 1); }

/// An element whose attributes are a point's "X", "Y" (and "Z" unless z is null) or a
/// colour's "R", "G", "B".
inline std::string Attributes(const char* tag, const char* names, const std::vector<std::string>& values) {
  std::string text = std::string("<") + tag;
  for (size_t i = 0; i < values.size(); ++i) text += std::string("\n\t ") + names[i] + "=\"" + values[i] + "\"";
  return text + "/>";
}
inline std::string Colour(const char* tag, int r, int g, int b) {
  return Attributes(tag, "RGB", {std::to_string(r), std::to_string(g), std::to_string(b)});
}
inline std::string White(const char* tag) { return Colour(tag, 255, 255, 255); }
inline std::string Point(const char* tag, const char* x, const char* y, const char* z = nullptr) {
  return z ? Attributes(tag, "XYZ", {x, y, z}) : Attributes(tag, "XY", {x, y});
}
inline std::string ZeroPoint(const char* tag) { return Point(tag, "0.000000", "0.000000", "0.000000"); }

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

/// An edit of a written document that must make its read fail with exactly one warning.
struct CFailingEdit {
  std::string from, to, warning;
};

/// Each edit of text, read into a new manager, fails the read and is heard as its warning alone.
inline void ExpectEachEditFailsTheRead(const std::string& text, const std::vector<CFailingEdit>& edits) {
  for (const CFailingEdit& edit : edits) {
    FeedbackRecorder heard;
    ManagerHold failing(&heard);
    EXPECT_FALSE(Read(failing.mgr, Replaced(text, edit.from, edit.to))) << edit.warning;
    EXPECT_EQ(Texts{edit.warning}, Heard(heard));
  }
}

/// A value without a label: set in a new manager's object, it fails the write with warning.
struct CFailingValue {
  const char* what;
  std::function<void(QvZin::IZinMgr*)> set;
  std::string warning;
};
inline void ExpectEachValueFailsTheWrite(const std::vector<CFailingValue>& values) {
  for (const CFailingValue& value : values) {
    FeedbackRecorder heard;
    ManagerHold mgr(&heard);
    value.set(mgr.mgr);
    QvZin::CZinMemoryWriteStream out;
    EXPECT_FALSE(mgr->write(&out, nullptr)) << value.what;
    EXPECT_EQ(Texts{"Error \"" + value.warning + "\" while writting"}, Heard(heard)) << value.what;
  }
}

}  // namespace QvZinTest
