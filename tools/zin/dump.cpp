// zin dump and zin diff.
#include <cstdio>

#include "parallel.h"
#include "scene_model.h"

namespace ZinTool {

namespace {

std::string JsonText(const Json& value, int indent) {
  // Texts from files need not be UTF-8: bad bytes are replaced, never thrown on.
  return value.dump(indent, ' ', false, Json::error_handler_t::replace);
}

// ---- the differences between two dumps

struct CDifference {
  std::string path;
  const Json* a;  // null: only in b
  const Json* b;  // null: only in a
};

const Json* IdOf(const Json& item) {
  if (!item.is_object()) return nullptr;
  auto found = item.find("UUID");
  return found != item.end() && found->is_string() ? &*found : nullptr;
}

class CDiffer {
public:
  std::vector<CDifference> differences;

  void compare(const std::string& path, const Json& a, const Json& b, int depth) {
    if (a == b) return;
    if (a.is_object() && b.is_object() && depth < 400) {
      for (auto it = a.begin(); it != a.end(); ++it) {
        auto other = b.find(it.key());
        if (other == b.end())
          differences.push_back({path + "/" + it.key(), &it.value(), nullptr});
        else
          compare(path + "/" + it.key(), it.value(), *other, depth + 1);
      }
      for (auto it = b.begin(); it != b.end(); ++it)
        if (a.find(it.key()) == a.end()) differences.push_back({path + "/" + it.key(), nullptr, &it.value()});
      return;
    }
    if (a.is_array() && b.is_array() && depth < 400 && !a.empty() && IdOf(a[0]) && !b.empty() && IdOf(b[0])) {
      compareById(path, a, b, depth);
      return;
    }
    if (a.is_array() && b.is_array() && depth < 400 && (a.empty() || a[0].is_structured()) &&
        (b.empty() || b[0].is_structured())) {
      const size_t common = std::min(a.size(), b.size());
      for (size_t i = 0; i < common; ++i) compare(Item(path, i), a[i], b[i], depth + 1);
      for (size_t i = common; i < a.size(); ++i) differences.push_back({Item(path, i), &a[i], nullptr});
      for (size_t i = common; i < b.size(); ++i) differences.push_back({Item(path, i), nullptr, &b[i]});
      return;
    }
    differences.push_back({path, &a, &b});
  }

private:
  static std::string Item(const std::string& path, size_t index) { return path + "[" + std::to_string(index + 1) + "]"; }

  // Objects with ids are matched by id whatever their order; the path names the
  // position in a (in b for an object a lacks).
  void compareById(const std::string& path, const Json& a, const Json& b, int depth) {
    std::map<std::string, size_t> inB;
    for (size_t i = 0; i < b.size(); ++i)
      if (const Json* id = IdOf(b[i])) inB.emplace(Upper(id->get<std::string>()), i);
    std::vector<char> matched(b.size(), 0);
    for (size_t i = 0; i < a.size(); ++i) {
      const Json* id = IdOf(a[i]);
      auto found = id ? inB.find(Upper(id->get<std::string>())) : inB.end();
      if (found == inB.end() || matched[found->second]) {
        differences.push_back({Item(path, i), &a[i], nullptr});
        continue;
      }
      matched[found->second] = 1;
      compare(Item(path, i), a[i], b[found->second], depth + 1);
    }
    for (size_t i = 0; i < b.size(); ++i)
      if (!matched[i]) differences.push_back({Item(path, i), nullptr, &b[i]});
  }

  static std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  }
};

std::string Short(const Json* value) {
  if (!value) return "(none)";
  if (value->is_string()) return "\"" + value->get<std::string>() + "\"";
  const std::string text = JsonText(*value, -1);
  return text.size() > 120 ? text.substr(0, 117) + "..." : text;
}

}  // namespace

int RunDump(const std::vector<std::string>& files, bool json, bool geometry, unsigned jobs) {
  return RunFiles(files, jobs, [&](const std::string& path) {
    CFileResult result;
    CLoadedScene scene;
    if (!scene.load(path, geometry)) {
      result.status = 2;
      result.output = json ? JsonText({{"file", path}, {"error", scene.error}}, -1) + "\n"
                           : path + ": " + scene.error + "\n";
      return result;
    }
    Json model = scene.model();
    if (json) {
      Json out = {{"file", path}};
      out.update(model);
      result.output = JsonText(out, 2) + "\n";
    } else {
      result.output = path + "\n" + ModelText(model);
    }
    return result;
  });
}

int RunDiff(const std::string& pathA, const std::string& pathB, bool json) {
  CLoadedScene a, b;
  for (auto [scene, path] : {std::pair<CLoadedScene*, const std::string*>{&a, &pathA}, {&b, &pathB}}) {
    if (!scene->load(*path, false)) {
      std::fprintf(stderr, "zin: %s: %s\n", path->c_str(), scene->error.c_str());
      return 2;
    }
  }
  const Json modelA = a.model(), modelB = b.model();
  CDiffer differ;
  differ.compare("", modelA, modelB, 0);
  if (json) {
    Json list = Json::array();
    for (const CDifference& d : differ.differences)
      list.push_back({{"path", d.path}, {"a", d.a ? *d.a : Json()}, {"b", d.b ? *d.b : Json()}});
    Json out = {{"a", pathA}, {"b", pathB}, {"equal", list.empty()}, {"differences", std::move(list)}};
    std::printf("%s\n", JsonText(out, 2).c_str());
  } else {
    for (const CDifference& d : differ.differences) {
      if (!d.a)
        std::printf("+ %s %s\n", d.path.c_str(), Short(d.b).c_str());
      else if (!d.b)
        std::printf("- %s %s\n", d.path.c_str(), Short(d.a).c_str());
      else
        std::printf("~ %s %s -> %s\n", d.path.c_str(), Short(d.a).c_str(), Short(d.b).c_str());
    }
  }
  return differ.differences.empty() ? 0 : 1;
}

}  // namespace ZinTool
