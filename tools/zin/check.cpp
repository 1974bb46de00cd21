// zin check and zin resave: full reads of files.
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <functional>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "ZinFileStreams.h"
#include "check_codes.h"
#include "commands.h"
#include "parallel.h"
#include "scene_model.h"

using namespace QvZin;
using QuorveXML::XIXMLAttribute;
using QuorveXML::XIXMLElement;
using QuorveXML::XIXMLNode;

namespace ZinTool {

bool CCollectingFeedback::warning(IZinMgr*, const char* message) {
  warnings.emplace_back(message ? message : "");
  if (mEcho) std::fprintf(stderr, "warning: %s\n", message ? message : "");
  return true;
}

namespace {

// ---- ids and references
//
// An element's own id is its "UUID", "Id" or "ID" attribute, unless a row below says
// that attribute at that place names another object. Rows match the end of an
// element's path ("Lights.Groups/Light": a "Light" inside a "Lights.Groups"); an
// empty element matches any element carrying the attribute.
struct CReferenceRow {
  const char* suffix;
  const char* attribute;
  const char* kind;  // what it names; null: an id of something outside the file, not checked
};

// clang-format off
const CReferenceRow kReferences[] = {
  {"Lights.Groups/Light",              "UUID",                  "light group"},
  {"Object.Definition",                "LightGroupID",          "light group"},
  {"View.Info/Layers/Layer",           "UUID",                  "layer"},
  {"",                                 "Layer.Id",              "layer"},
  {"Layers.Info/Active.Layer",         "UUID",                  "layer"},
  {"",                                 "Component.UUID",        "definition"},
  {"",                                 "Path.Id",               "path"},
  {"PanoV2.Link/Path.Id",              "UUID",                  "path"},
  {"PanoV2.Link/Start",                "UUID",                  "panorama node"},
  {"PanoV2.Link/End",                  "UUID",                  "panorama node"},
  {"",                                 "Current.Node.Id",       "panorama node"},
  {"Start.NodeID",                     "UUID",                  "panorama node"},
  {"",                                 "MappingNode.Parent.Id", "material node"},
  {"PanoramaV2/Parallel.Views/Parallel.View", "UUID",           "parallel view"},
  {"View.Info",                        "Environment",           "environment"},
  {"View.Info",                        "Ground",                "ground"},
  {"Animated.Element",                 "UUID",                  "animated object"},
  {"Neon.Shaders/Neon.Shader",         "UUID",                  nullptr},
  {"Foregroung",                       "Id",                    nullptr},
  {"Background.Picture",               "Id",                    nullptr},
};
// clang-format on

const char* const kIdAttributes[] = {"UUID", "Id", "ID"};

bool IsNullId(const char* text) {
  for (; *text; ++text)
    if (*text != '0') return false;
  return true;
}

// Whether the element names (the last names of its path, innermost last) end with suffix.
bool EndsWith(const std::vector<const char*>& names, const char* suffix) {
  if (!*suffix) return true;
  std::vector<std::string> parts;
  for (const char* start = suffix;;) {
    const char* slash = std::strchr(start, '/');
    parts.emplace_back(start, slash ? slash : start + std::strlen(start));
    if (!slash) break;
    start = slash + 1;
  }
  if (parts.size() > names.size()) return false;
  for (size_t i = 0; i < parts.size(); ++i)
    if (parts[parts.size() - 1 - i] != names[names.size() - 1 - i]) return false;
  return true;
}

struct CFinding {
  const CCheckCode* code;
  std::string path;
  std::string message;
};

// Walks an element tree once, keeping each element's path as the dump names it: an
// element of a list (a repeated name, or one with an id) gets its position from 1.
class CTreeWalk {
public:
  struct CFrame {
    XIXMLElement* element;
    std::string path;
  };
  // visit(element, path, names from the root); descend when it returns true.
  void run(XIXMLElement* root, const std::function<bool(XIXMLElement*, const std::string&,
                                                        const std::vector<const char*>&)>& visit) {
    struct CLevel {
      XIXMLElement* next;
      std::string path;
      std::unordered_map<const char*, int> counts, seen;
      int siblings = 0;
      XIXMLElement* parent;
    };
    std::vector<CLevel> stack;
    std::vector<const char*> names{root->GetKeyRef()};
    const std::string rootPath = std::string("/") + root->GetKeyRef();
    if (!visit(root, rootPath, names)) return;
    auto open = [&](XIXMLElement* parent, const std::string& path) {
      CLevel level{parent->GetFirstElement(), path, {}, {}, 0, parent};
      for (XIXMLElement* c = level.next; c; c = c->GetNextElement(), ++level.siblings) ++level.counts[c->GetKeyRef()];
      stack.push_back(std::move(level));
    };
    open(root, rootPath);
    while (!stack.empty()) {
      CLevel& level = stack.back();
      XIXMLElement* element = level.next;
      if (!element) {
        stack.pop_back();
        names.pop_back();
        continue;
      }
      level.next = element->GetNextElement();
      const char* name = element->GetKeyRef();
      const int position = ++level.seen[name];
      std::string path = level.path + "/" + name;
      if (IsListItem(level.parent, element, level.counts[name], level.siblings))
        path += "[" + std::to_string(position) + "]";
      names.push_back(name);
      if (visit(element, path, names) && stack.size() < 200)
        open(element, path);
      else
        names.pop_back();
    }
  }
};

void CheckIds(XIXMLElement* file, std::vector<CFinding>& findings) {
  struct CReference {
    std::string id, path, attribute;
    const char* kind;
  };
  std::unordered_map<std::string, std::string> owners;  // id (upper case) -> path of its object
  std::vector<CReference> references;
  const CCheckCode* duplicate = FindCheckCode("duplicate-id");
  CTreeWalk().run(file, [&](XIXMLElement* element, const std::string& path, const std::vector<const char*>& names) {
    for (XIXMLAttribute* a = element->GetFirstAttribute(); a; a = a->GetNext()) {
      const char* key = a->GetKeyRef();
      const char* value = a->GetValue();
      if (IsNullId(value)) continue;
      std::string id = value;
      for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      const CReferenceRow* row = nullptr;
      for (const CReferenceRow& r : kReferences)
        if (std::strcmp(r.attribute, key) == 0 && EndsWith(names, r.suffix)) row = &r;
      if (row) {
        if (row->kind) references.push_back({id, path, key, row->kind});
        continue;
      }
      bool isId = false;
      for (const char* name : kIdAttributes) isId = isId || std::strcmp(name, key) == 0;
      if (!isId) continue;
      auto [it, added] = owners.emplace(id, path);
      if (!added) findings.push_back({duplicate, path, "id " + id + " is also the id of " + it->second});
    }
    return true;
  });
  const CCheckCode* dangling = FindCheckCode("dangling-id");
  for (const CReference& r : references)
    if (!owners.count(r.id))
      findings.push_back({dangling, r.path + "@" + r.attribute, "names " + std::string(r.kind) + " " + r.id + ", which no object of the file has"});
}

// ---- older forms: what the reader still accepts but this library no longer writes

void CheckOlderForms(XIXMLElement* file, std::vector<CFinding>& findings) {
  const CCheckCode* older = FindCheckCode("older-form");
  CTreeWalk().run(file, [&](XIXMLElement* element, const std::string& path, const std::vector<const char*>&) {
    if (element->FindElement(element->GetKey("Red")) && element->FindElement(element->GetKey("Green")) &&
        !element->FindAttribute(element->GetKey("R")))
      findings.push_back({older, path, "colour written as \"Red\", \"Green\" and \"Blue\" elements"});
    if (std::strcmp(element->GetKeyRef(), "Default.Layer.Map") == 0 &&
        element->FindAttribute(element->GetKey("3DPlant")))
      findings.push_back({older, path, "attribute \"3DPlant\" instead of \"Plant3D\""});
    if (std::strcmp(element->GetKeyRef(), "3D.Paths") == 0)
      findings.push_back({older, path, "collection named \"3D.Paths\" instead of \"Paths.3D\""});
    return true;
  });
}

// ---- where a warning of the reader comes from
//
// The reader's warnings carry no place, so each is found again by reading parts of
// the file on their own: each child of an element that reproduces the warning is
// read alone, inside copies of its ancestors, and the search goes down while one
// does. The cost is a few reads of the file's size per level of the found path.

class CMemoryXMLStream final : public QuorveXML::XIXMLWriteStream {
public:
  int32_t Write(const char* bytes, int32_t count) override {
    text.append(bytes, static_cast<size_t>(count));
    return count;
  }
  std::string text;
};

std::string Escape(const char* text) {
  std::string out;
  for (; *text; ++text) switch (*text) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += *text;
    }
  return out;
}

class CLocator {
public:
  CLocator(XIXMLElement* file, std::string header) : mFile(file), mHeader(std::move(header)) {}

  // The path of each message in wanted: the deepest element that reproduces it alone,
  // or the root's path when none does.
  std::vector<std::string> locate(const std::vector<std::string>& wanted) {
    const std::string root = "/" + std::string(mFile->GetKeyRef());
    std::vector<std::string> paths(wanted.size(), root);
    struct CWork {
      XIXMLElement* element;
      std::string path;
      std::vector<XIXMLElement*> ancestors;  // outside the root, outermost first
      std::vector<size_t> wanted;            // indices into paths
    };
    std::vector<size_t> all(wanted.size());
    for (size_t i = 0; i < all.size(); ++i) all[i] = i;
    // An explicit work list: the depth of the search follows the file.
    std::vector<CWork> work{{mFile, root, {}, all}};
    while (!work.empty() && mReads < kMaxReads) {
      CWork item = std::move(work.back());
      work.pop_back();
      std::vector<XIXMLElement*> inside = item.ancestors;
      if (item.element != mFile) inside.push_back(item.element);
      std::unordered_map<const char*, int> counts, seen;
      int siblings = 0;
      for (XIXMLElement* c = item.element->GetFirstElement(); c; c = c->GetNextElement(), ++siblings)
        ++counts[c->GetKeyRef()];
      std::vector<size_t> left = item.wanted;
      for (XIXMLElement* c = item.element->GetFirstElement(); c && !left.empty(); c = c->GetNextElement()) {
        const char* name = c->GetKeyRef();
        const int position = ++seen[name];
        std::string path = item.path + "/" + name;
        if (IsListItem(item.element, c, counts[name], siblings)) path += "[" + std::to_string(position) + "]";
        if (c->GetData() && !ElementText(c)) continue;  // a data block: its messages name it
        std::vector<std::string> heard = readAlone(inside, c);
        std::vector<size_t> mine;
        for (auto it = left.begin(); it != left.end();) {
          auto match = std::find(heard.begin(), heard.end(), wanted[*it]);
          if (match == heard.end()) {
            ++it;
            continue;
          }
          heard.erase(match);
          paths[*it] = path;
          mine.push_back(*it);
          it = left.erase(it);
        }
        if (!mine.empty() && c->GetFirstElement() && inside.size() < kMaxDepth)
          work.push_back({c, path, inside, std::move(mine)});
      }
    }
    return paths;
  }

private:
  // Reads element alone inside copies of its ancestors; the warnings it gives.
  std::vector<std::string> readAlone(const std::vector<XIXMLElement*>& ancestors, XIXMLElement* element) {
    ++mReads;
    std::string doc = mHeader + "<Zin.File>";
    XIXMLElement* top = ancestors.empty() ? element : ancestors[0];
    // Without "Working.Window" a read fails before the later collections.
    if (std::strcmp(top->GetKeyRef(), "Working.Window") != 0) doc += "<Working.Window/>";
    for (XIXMLElement* a : ancestors) {
      doc += "<" + std::string(a->GetKeyRef());
      for (XIXMLAttribute* at = a->GetFirstAttribute(); at; at = at->GetNext())
        doc += " " + std::string(at->GetKeyRef()) + "=\"" + Escape(at->GetValue()) + "\"";
      doc += ">";
    }
    CMemoryXMLStream body;
    try {
      element->Write(&body);
    } catch (const std::exception&) {
      return {};  // a data block whose provider writes only inside a whole write
    }
    doc += body.text;
    for (size_t i = ancestors.size(); i-- > 0;) doc += "</" + std::string(ancestors[i]->GetKeyRef()) + ">";
    doc += "</Zin.File>";
    CCollectingFeedback feedback;
    CManagerHold scratch(&feedback);
    if (!scratch.mgr) return {};
    CZinMemoryReadStream in(doc);
    scratch.mgr->read(&in, nullptr);
    return feedback.warnings;
  }

  static constexpr int kMaxReads = 4000;
  static constexpr size_t kMaxDepth = 64;
  XIXMLElement* mFile;
  std::string mHeader;
  int mReads = 0;
};

const CCheckCode* CodeOf(const std::string& message, bool failed) {
  for (const CCheckCode& row : kCheckCodes)
    for (const CMessagePattern& pattern : row.patterns) {
      if (!pattern.prefix) continue;
      const size_t prefix = std::strlen(pattern.prefix), suffix = std::strlen(pattern.suffix);
      if (message.size() >= prefix + suffix && message.compare(0, prefix, pattern.prefix) == 0 &&
          message.compare(message.size() - suffix, suffix, pattern.suffix) == 0 &&
          (row.severity[0] == 'e') == failed)
        return &row;
    }
  return FindCheckCode(failed ? "unreadable" : "other-warning");
}

// The place a block's message names: "... while parsing 'Points' data block".
std::string BlockPath(const std::string& message) {
  if (message.rfind("Numbers of points", 0) == 0 || message.rfind("NaN", 0) == 0 || message.rfind("INF", 0) == 0)
    return "/Zin.File/Points";
  if (message.rfind("Numbers of polygons", 0) == 0 || message.rfind("Polygon type", 0) == 0) return "/Zin.File/Polygons";
  const size_t end = message.rfind("' data block");
  const size_t start = end == std::string::npos ? end : message.rfind('\'', end - 1);
  if (start == std::string::npos) return "";
  return "/Zin.File/" + message.substr(start + 1, end - start - 1);
}

struct CCheckOptions {
  bool json = false;
  bool strict = false;
  size_t maxIssues = 0;  // 0: no limit
  std::vector<std::string> ignore;
};

CFileResult CheckFile(const std::string& path, const CCheckOptions& options) {
  std::vector<CFinding> findings;
  CLoadedScene scene;
  bool read = false;
  {
    CZinFileReadStream probe(path.c_str());
    if (!probe.isOpen()) findings.push_back({FindCheckCode("cannot-open"), "", "cannot open " + path});
  }
  if (findings.empty()) {
    scene.beforeRewrite = [&](XIXMLElement* file) {
      // The file as read, before the rewrite replaces its values with clipped ones.
      std::string header = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
      XIXMLElement* document = file->GetNode()->GetParent();
      for (XIXMLNode* node = document ? document->GetFirstNode() : nullptr; node; node = node->GetNext())
        if (QuorveXML::XIXMLPI* pi = node->AsPI())
          if (std::strcmp(pi->GetTarget(), "Zin") == 0) header += "<?Zin " + std::string(pi->GetData()) + "?>";
      std::vector<std::string> located;
      std::vector<std::string> toLocate;
      for (const std::string& message : scene.readWarnings)
        if (BlockPath(message).empty()) toLocate.push_back(message);
      if (!toLocate.empty()) located = CLocator(file, header).locate(toLocate);
      size_t next = 0;
      for (const std::string& message : scene.readWarnings) {
        std::string where = BlockPath(message);
        if (where.empty()) where = located[next++];
        findings.push_back({CodeOf(message, false), where, message});
      }
      CheckOlderForms(file, findings);
    };
    read = scene.load(path, false);
    if (!read) {
      if (scene.readWarnings.empty()) {
        findings.push_back({FindCheckCode("unreadable"), "", scene.error});
      } else {
        // The last message is the one that stopped the read; the earlier ones are warnings.
        // A stop that a warning's pattern names (a node of a kind that cannot stand
        // where it is) gives that warning as its cause, then the failed read.
        for (size_t i = 0; i < scene.readWarnings.size(); ++i) {
          const std::string& message = scene.readWarnings[i];
          const bool last = i + 1 == scene.readWarnings.size();
          const CCheckCode* code = CodeOf(message, last);
          const CCheckCode* cause = last && code == FindCheckCode("unreadable") ? CodeOf(message, false) : nullptr;
          if (cause && cause != FindCheckCode("other-warning")) findings.push_back({cause, "", message});
          findings.push_back({code, last ? "" : BlockPath(message), message});
        }
      }
    } else {
      CheckIds(scene.root(), findings);
      for (const auto& [id, g] : scene.geometry) {
        const std::string where = id.empty() ? "/Zin.File/Polygons" : "/Zin.File/InternalComponentDefinitions/" + id;
        size_t reported = 0;
        for (const CGeometry::CBadIndex& bad : g.badIndices) {
          if (bad.index >= 0 && static_cast<uint32_t>(bad.index) < g.points) continue;
          if (++reported > 100) break;
          findings.push_back({FindCheckCode("point-index"), where,
                              "polygon " + std::to_string(bad.polygon + 1) + (bad.contour ? ", hole " + std::to_string(bad.contour) : "") +
                                  ", vertex " + std::to_string(bad.vertex + 1) + ": point index " +
                                  std::to_string(bad.index) + " outside the " + std::to_string(g.points) + " points"});
        }
      }
    }
  }
  // --ignore, then --max-issues.
  std::vector<CFinding> kept;
  size_t total = 0;
  bool error = false, warning = false;
  for (CFinding& f : findings) {
    bool ignored = false;
    for (const std::string& code : options.ignore)
      ignored = ignored || code == f.code->code || code == f.code->name;
    if (ignored) continue;
    ++total;
    (f.code->severity[0] == 'e' ? error : warning) = true;
    if (options.maxIssues == 0 || kept.size() < options.maxIssues) kept.push_back(std::move(f));
  }
  const char* verdict = error ? "errors" : warning ? "warnings" : "ok";
  CFileResult result;
  result.status = error ? 2 : warning && options.strict ? 1 : 0;
  const uint32_t points = read ? scene.hold.mgr->getPoints()->getCount() : 0;
  const uint32_t polygons = read ? scene.hold.mgr->getPolygons()->getCount() : 0;
  if (options.json) {
    Json issues = Json::array();
    for (const CFinding& f : kept)
      issues.push_back({{"code", f.code->code}, {"name", f.code->name}, {"severity", f.code->severity},
                        {"path", f.path}, {"message", f.message}});
    Json line = {{"file", path}, {"verdict", verdict}, {"issues", std::move(issues)}, {"total", total},
                 {"points", points}, {"polygons", polygons}};
    result.output = line.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
    return result;
  }
  result.output = path + ": " + verdict;
  if (total) result.output += " (" + std::to_string(total) + (total == 1 ? " issue)" : " issues)");
  result.output += "\n";
  for (const CFinding& f : kept)
    result.output += "  " + std::string(f.code->code) + " " + f.code->severity + " " +
                     (f.path.empty() ? "" : f.path + ": ") + f.message + "\n";
  if (kept.size() < total) result.output += "  ... " + std::to_string(total - kept.size()) + " more\n";
  return result;
}

}  // namespace

int RunCheck(const std::vector<std::string>& files, bool json, bool strict, size_t maxIssues,
             const std::vector<std::string>& ignore, unsigned jobs) {
  for (const std::string& code : ignore)
    if (!FindCheckCode(code.c_str())) {
      std::fprintf(stderr, "zin: unknown check code %s\n", code.c_str());
      return 2;
    }
  const CCheckOptions options{json, strict, maxIssues, ignore};
  return RunFiles(files, jobs, [&](const std::string& path) { return CheckFile(path, options); });
}

int RunCheckCodes() {
  std::printf("| Code | Severity | Name | Meaning |\n|---|---|---|---|\n");
  for (const CCheckCode& row : kCheckCodes)
    std::printf("| %s | %s | %s | %s |\n", row.code, row.severity, row.name, row.meaning);
  return 0;
}

int RunResave(const std::string& input, const std::string& output) {
  CCollectingFeedback feedback(true);
  CManagerHold hold(&feedback);
  CZinFileReadStream in(input.c_str());
  if (!in.isOpen()) {
    std::fprintf(stderr, "zin: cannot open %s\n", input.c_str());
    return 2;
  }
  if (!hold.mgr->read(&in, nullptr)) {
    std::fprintf(stderr, "zin: %s could not be read\n", input.c_str());
    return 2;
  }
  CZinFileWriteStream out(output.c_str());
  if (!out.isOpen()) {
    std::fprintf(stderr, "zin: cannot create %s\n", output.c_str());
    return 2;
  }
  const bool written = hold.mgr->write(&out, nullptr);
  if (!out.close() || !written) {
    std::fprintf(stderr, "zin: %s could not be written\n", output.c_str());
    return 2;
  }
  std::printf("%s written (%zu warnings)\n", output.c_str(), feedback.warnings.size());
  return 0;
}

}  // namespace ZinTool
