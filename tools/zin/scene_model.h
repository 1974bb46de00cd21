// A scene file seen generically: read into a manager, written again, and its
// document walked through the public XML interfaces, so that every object and field
// the library knows (today's and those added later) shows up by its element name.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "commands.h"

namespace ZinTool {

using Json = nlohmann::ordered_json;

/// The geometry of one block pair (the scene's own, or a definition's).
struct CGeometry {
  uint32_t points = 0;
  uint32_t polygons = 0;
  uint64_t vertices = 0;  // of every contour, holes included
  uint32_t holes = 0;
  double min[3] = {0, 0, 0};
  double max[3] = {0, 0, 0};
  /// Polygon vertices whose point index is outside the points (polygon, contour, vertex,
  /// index); the first few only, checked once every point is known.
  struct CBadIndex {
    uint32_t polygon, contour, vertex;
    int32_t index;
  };
  std::vector<CBadIndex> badIndices;
  uint64_t badIndexCount = 0;
  // Kept only when asked for (dump --geometry, convert).
  std::vector<double> xyz;
  struct CFace {
    int32_t property;
    bool smooth;
    std::vector<std::vector<int32_t>> contours;  // outer first, then holes
  };
  std::vector<CFace> faces;
};

/// A scene file loaded for inspection.
class CLoadedScene {
public:
  CLoadedScene() : hold(&feedback) {}
  CLoadedScene(const CLoadedScene&) = delete;
  CLoadedScene& operator=(const CLoadedScene&) = delete;

  /// Reads path (keepGeometry: every point and polygon, else counts and bounds).
  /// False with error set when the file cannot be opened or read.
  bool load(const std::string& path, bool keepGeometry);

  /// The dump: {"Zin.File": {...}} with every element in file order.
  Json model();
  /// The root element of the manager's document after the rewrite, or null.
  QuorveXML::XIXMLElement* root() { return mFile; }
  /// Geometry blocks by the text form of their id ("" for the scene's own).
  std::map<std::string, CGeometry> geometry;

  CCollectingFeedback feedback;
  CManagerHold hold;
  std::string error;
  /// Called after the read with the document as read, before the rewrite.
  std::function<void(QuorveXML::XIXMLElement* file)> beforeRewrite;
  /// Warnings of the read itself (feedback.warnings also collects the rewrite's).
  std::vector<std::string> readWarnings;

private:
  Json element(QuorveXML::XIXMLElement* element, int depth);
  Json block(QuorveXML::XIXMLElement* element);
  QuorveXML::XIXMLElement* documentRoot();
  QuorveXML::XIXMLElement* mFile = nullptr;
  bool mKeepGeometry = false;
};

/// The text of an element's data node, or null for none or for a data block.
const char* ElementText(QuorveXML::XIXMLElement* element);
/// The id of an element: its "UUID" attribute, or the text of its "UUID" child; "" when none.
std::string ElementId(QuorveXML::XIXMLElement* element);
/// Whether a child is an item of a list, shown with its position: its name repeats
/// among its siblings (sameName of them, siblings elements in all), it carries an id,
/// or it is the one structured child of a plain element (a collection of one object).
bool IsListItem(QuorveXML::XIXMLElement* parent, QuorveXML::XIXMLElement* child, int sameName, int siblings);
/// The text form of a dump, two spaces of indentation a level, one field a line.
std::string ModelText(const Json& model);

/// zin dump and zin diff.
int RunDump(const std::vector<std::string>& files, bool json, bool geometry, unsigned jobs);
int RunDiff(const std::string& a, const std::string& b, bool json);

}  // namespace ZinTool
