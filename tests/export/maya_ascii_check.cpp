#include "maya_ascii_check.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

// ---------------------------------------------------------------------------------------------
// Line ends and tokens
// ---------------------------------------------------------------------------------------------

// Every line must end in CR LF; returns the text with LF line ends.
std::string CheckCrLf(const std::string& text, std::vector<std::string>& errors) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 >= text.size() || text[i + 1] != '\n') errors.push_back("CR without LF at byte " + std::to_string(i));
      continue;
    }
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) errors.push_back("LF without CR at byte " + std::to_string(i));
    out += text[i];
  }
  return out;
}

struct Token {
  std::string text;
  bool quoted = false;
};
using Statement = std::vector<Token>;

// Splits MEL text into statements ending in ";"; "//" comments and quoted strings respected.
std::vector<Statement> SplitStatements(const std::string& text, std::vector<std::string>& errors) {
  std::vector<Statement> statements;
  Statement current;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else if (c == ';') {
      if (!current.empty()) statements.push_back(std::move(current));
      current.clear();
      ++i;
    } else if (c == '"') {
      Token token{"", true};
      ++i;
      while (i < text.size() && text[i] != '"') {
        if (text[i] == '\n') errors.push_back("line break inside a string");
        if (text[i] == '\\' && i + 1 < text.size()) {
          char e = text[++i];
          token.text += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        } else {
          token.text += text[i];
        }
        ++i;
      }
      if (i >= text.size()) errors.push_back("unterminated string");
      ++i;
      current.push_back(std::move(token));
    } else {
      Token token;
      while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) && text[i] != ';' && text[i] != '"') {
        token.text += text[i++];
      }
      current.push_back(std::move(token));
    }
  }
  if (!current.empty()) errors.push_back("statement without ';' at the end: " + current[0].text);
  return statements;
}

bool ToInt(const std::string& text, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return *end == '\0';
}

bool ToDouble(const std::string& text, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return *end == '\0' && std::isfinite(value);
}

// ---------------------------------------------------------------------------------------------
// Scene
// ---------------------------------------------------------------------------------------------

class SceneChecker {
 public:
  explicit SceneChecker(MayaScene& scene) : scene_(scene) {}

  void Run(const std::vector<Statement>& statements) {
    for (const Statement& s : statements) {
      where_ = s[0].text + (s.size() > 1 ? " " + s[1].text : "");
      const std::string& command = s[0].text;
      if (command == "createNode") CreateNode(s);
      else if (command == "select") Select(s);
      else if (command == "setAttr") SetAttr(s);
      else if (command == "connectAttr") Connect(s, 1);
      else if (command.rfind("if(getAttr(", 0) == 0) GuardedConnect(s);
      else if (command == "addAttr") RequireCurrent();
      else if (command != "requires" && command != "currentUnit" && command != "fileInfo") Error("unknown command");
    }
    for (const MayaMesh& mesh : scene_.meshes) FinishMesh(mesh);
  }

 private:
  void Error(const std::string& text) { scene_.errors.push_back(text + " [" + where_ + "]"); }

  bool Exists(const std::string& node) const { return (!node.empty() && node[0] == ':') || scene_.nodeTypes.count(node); }

  void RequireCurrent() {
    if (current_.empty()) Error("attribute without a current node");
  }

  void CreateNode(const Statement& s) {
    if (s.size() < 2) return Error("createNode without a type");
    std::string type = s[1].text, name, parent;
    for (size_t i = 2; i < s.size(); ++i) {
      if (s[i].text == "-n" && i + 1 < s.size()) name = s[++i].text;
      else if (s[i].text == "-p" && i + 1 < s.size()) parent = s[++i].text;
      else if (s[i].text != "-s") Error("unknown createNode flag " + s[i].text);
    }
    if (name.empty() || name[0] == ':') return Error("createNode without a usable name");
    if (scene_.nodeTypes.count(name)) Error("node created twice: " + name);
    if (!parent.empty() && !Exists(parent)) Error("parent not created before its child: " + parent);
    for (size_t i = 2; i < s.size(); ++i) {
      if (s[i].text == "-p" && i + 1 < s.size() && s[i + 1].text.empty()) Error("empty parent name");
    }
    scene_.nodeTypes[name] = type;
    scene_.parents[name] = parent;
    current_ = name;
    mesh_ = nullptr;
    if (type == "joint") scene_.joints.push_back(name);
    if (type == "mesh") {
      scene_.meshes.push_back(MayaMesh{name, parent});
      mesh_ = &scene_.meshes.back();
    }
  }

  void Select(const Statement& s) {
    if (s.size() != 3 || s[1].text != "-ne" || s[2].text.empty() || s[2].text[0] != ':') return Error("unexpected select");
    current_ = s[2].text;
    mesh_ = nullptr;
  }

  void Connect(const Statement& s, size_t first) {
    std::vector<std::string> plugs;
    for (size_t i = first; i < s.size(); ++i) {
      if (s[i].text == "-na" || s[i].text == "-f") continue;
      plugs.push_back(s[i].text);
    }
    if (plugs.size() != 2) return Error("connectAttr needs two plugs");
    for (const std::string& plug : plugs) {
      size_t dot = plug.find('.');
      if (dot == std::string::npos || dot == 0 || dot + 1 == plug.size()) {
        Error("plug without node or attribute: " + plug);
      } else if (!Exists(plug.substr(0, dot))) {
        Error("connection to a node not created before: " + plug);
      }
    }
    scene_.connections.emplace_back(plugs[0], plugs[1]);
  }

  // if(getAttr("X.fha")) connectAttr X.ot Y.it;
  void GuardedConnect(const Statement& s) {
    if (s.size() < 2 || !s[1].quoted) return Error("unexpected if");
    std::string node = s[1].text.substr(0, s[1].text.find('.'));
    if (!Exists(node)) Error("getAttr of a node not created before: " + s[1].text);
    for (size_t i = 2; i < s.size(); ++i) {
      if (s[i].text == "connectAttr") return Connect(s, i + 1);
    }
    Error("if without connectAttr");
  }

  void SetAttr(const Statement& s) {
    RequireCurrent();
    long size = -1;
    size_t i = 1;
    std::string attr, type;
    for (; i < s.size(); ++i) {
      const std::string& t = s[i].text;
      if (t == "-s" && i + 1 < s.size()) {
        if (!ToInt(s[++i].text, size) || size < 0) Error("bad -s count");
      } else if ((t == "-k" || t == "-l") && i + 1 < s.size()) {
        ++i;
      } else if (s[i].quoted && !t.empty() && t[0] == '.') {
        attr = t;
        ++i;
        break;
      } else {
        return Error("setAttr without an attribute");
      }
    }
    if (attr.empty()) return Error("setAttr without an attribute");
    if (i + 1 < s.size() && s[i].text == "-type") {
      type = s[i + 1].text;
      i += 2;
    }
    std::vector<Token> values(s.begin() + static_cast<long>(i), s.end());
    if (current_.size() && scene_.nodeTypes[current_] == "file" && attr == ".ftn" && values.size() == 1) {
      scene_.fileTextures[current_] = values[0].text;
    }

    // The index range at the end of the attribute, if any.
    std::string base = attr;
    long first = -1, last = -1;
    if (attr.back() == ']') {
      size_t open = attr.rfind('[');
      std::string inside = attr.substr(open + 1, attr.size() - open - 2);
      base = attr.substr(0, open);
      size_t colon = inside.find(':');
      if (colon == std::string::npos) {
        if (!ToInt(inside, first)) Error("bad index " + attr);
        last = first;
      } else if (!ToInt(inside.substr(0, colon), first) || !ToInt(inside.substr(colon + 1), last) || last < first) {
        Error("bad index range " + attr);
      }
    }
    const std::string key = current_ + base;
    if (first < 0) {
      if (size >= 0) declaredSize_[key] = size;
      return;
    }
    long count = last - first + 1;
    if (size >= 0 && size != count) Error("-s " + std::to_string(size) + " against a range of " + std::to_string(count));
    auto declared = declaredSize_.find(key);
    if (declared != declaredSize_.end() && last >= declared->second) Error("range past the declared size of " + attr);
    if (mesh_) MeshArray(base, first, count, type, values);
  }

  // Numbers of the values, which must be count * perItem.
  bool Numbers(const std::vector<Token>& values, long count, int perItem, std::vector<double>& out) {
    if (static_cast<long>(values.size()) != count * perItem) {
      Error(std::to_string(values.size()) + " values for " + std::to_string(count) + " items of " + std::to_string(perItem));
      return false;
    }
    out.resize(values.size());
    for (size_t k = 0; k < values.size(); ++k) {
      if (!ToDouble(values[k].text, out[k])) {
        Error("not a number: " + values[k].text);
        return false;
      }
    }
    return true;
  }

  void MeshArray(const std::string& base, long first, long count, const std::string& type, const std::vector<Token>& values) {
    if (first != 0) Error("mesh array not starting at 0");
    std::vector<double> numbers;
    if (base == ".uvst[0].uvsp") {
      if (type != "float2") Error("UVs not float2");
      if (Numbers(values, count, 2, numbers)) mesh_->uvs = static_cast<int>(count);
    } else if (base == ".clst[0].clsp") {
      if (Numbers(values, count, 4, numbers)) mesh_->colours = static_cast<int>(count);
    } else if (base == ".vt") {
      if (Numbers(values, count, 3, numbers)) {
        mesh_->vertices = static_cast<int>(count);
        mesh_->positions = numbers;
      }
    } else if (base == ".n") {
      if (type != "float3") Error("normals not float3");
      if (Numbers(values, count, 3, numbers)) mesh_->normals = static_cast<int>(count);
    } else if (base == ".ed") {
      if (!Numbers(values, count, 3, numbers)) return;
      if (mesh_->vertices < 0) Error("edges before positions");
      edges_.clear();
      for (long e = 0; e < count; ++e) {
        long a = static_cast<long>(numbers[3 * e]), b = static_cast<long>(numbers[3 * e + 1]);
        if (a < 0 || b < 0 || a >= mesh_->vertices || b >= mesh_->vertices) Error("edge names a missing vertex");
        edges_.emplace_back(static_cast<int>(a), static_cast<int>(b));
      }
      mesh_->edges = static_cast<int>(count);
    } else if (base == ".fc") {
      if (type != "polyFaces") Error("faces not polyFaces");
      Faces(count, values);
    }
  }

  // Reads "k" indices after position i; false when they are not there.
  bool Indices(const std::vector<Token>& values, size_t& i, std::vector<long>& out) {
    long k = 0;
    if (i >= values.size() || !ToInt(values[i].text, k) || k < 3) return false;
    ++i;
    out.clear();
    for (long n = 0; n < k; ++n, ++i) {
      long v = 0;
      if (i >= values.size() || !ToInt(values[i].text, v)) return false;
      out.push_back(v);
    }
    return true;
  }

  void Faces(long count, const std::vector<Token>& values) {
    if (mesh_->edges < 0 || mesh_->uvs < 0 || mesh_->colours < 0) Error("faces before edges, UVs or colours");
    mesh_->faceVertices.clear();
    mesh_->faceUvs.clear();
    std::vector<long> list;
    for (size_t i = 0; i < values.size();) {
      const std::string& word = values[i++].text;
      if (word == "f") {
        if (!Indices(values, i, list)) return Error("bad face");
        mesh_->faceVertices.push_back(FaceLoop(list));
        mesh_->faceUvs.emplace_back();
      } else if (word == "mu" || word == "mc") {
        ++i;  // UV set or colour set index
        if (mesh_->faceVertices.empty() || !Indices(values, i, list)) return Error("bad " + word);
        if (list.size() != mesh_->faceVertices.back().size()) Error(word + " corner count differs from the face's");
        long limit = word == "mu" ? mesh_->uvs : mesh_->colours;
        for (long v : list) {
          if (v < 0 || v >= limit) Error(word + " index out of range");
          if (word == "mu") mesh_->faceUvs.back().push_back(static_cast<int>(v));
        }
      } else {
        return Error("unknown face word " + word);
      }
    }
    if (static_cast<long>(mesh_->faceVertices.size()) != count) Error("face count differs from the range");
    mesh_->faces = static_cast<int>(mesh_->faceVertices.size());
  }

  // The face's vertex loop from its edges (a negative index -e-1 is edge e reversed).
  std::vector<int> FaceLoop(const std::vector<long>& edgeIndices) {
    std::vector<int> loop;
    std::pair<int, int> previous{-1, -1};
    for (size_t k = 0; k < edgeIndices.size(); ++k) {
      long e = edgeIndices[k];
      bool reversed = e < 0;
      if (reversed) e = -e - 1;
      if (e >= static_cast<long>(edges_.size())) {
        Error("face names a missing edge");
        return loop;
      }
      std::pair<int, int> edge = edges_[static_cast<size_t>(e)];
      if (reversed) std::swap(edge.first, edge.second);
      if (k > 0 && edge.first != previous.second) Error("face edges do not join");
      loop.push_back(edge.first);
      previous = edge;
    }
    if (!loop.empty() && previous.second != loop[0]) Error("face edges do not close");
    return loop;
  }

  void FinishMesh(const MayaMesh& mesh) {
    where_ = mesh.shape;
    if (mesh.vertices < 0 || mesh.faces < 0 || mesh.uvs < 0 || mesh.normals < 0 || mesh.edges < 0) {
      return Error("mesh lacks positions, faces, UVs, normals or edges");
    }
    size_t corners = 0;
    for (const auto& face : mesh.faceVertices) corners += face.size();
    if (static_cast<size_t>(mesh.normals) != corners) Error("normal count differs from the face corners");
  }

  MayaScene& scene_;
  std::string current_, where_;
  MayaMesh* mesh_ = nullptr;
  std::vector<std::pair<int, int>> edges_;  // of the current mesh
  std::map<std::string, long> declaredSize_;
};

// ---------------------------------------------------------------------------------------------
// Bind script
// ---------------------------------------------------------------------------------------------

constexpr const char* kDefaultWeight = "<weights before the script>";

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line);
  for (std::string w; in >> w;) words.push_back(w);
  if (!words.empty() && !words.back().empty() && words.back().back() == ';') words.back().pop_back();
  return words;
}

// "VornMesh_<i>" (with an optional tail after the number) -> i, else -1.
int MeshIndex(const std::string& text, std::string* tail = nullptr) {
  const std::string prefix = "VornMesh_";
  if (text.rfind(prefix, 0) != 0) return -1;
  size_t end = prefix.size();
  while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
  if (end == prefix.size()) return -1;
  if (tail) *tail = text.substr(end);
  return std::atoi(text.c_str() + prefix.size());
}

// Maya's skinPercent with normalisation: the named influences take their weights; the others are
// scaled to fill what remains (to nothing when the named ones reach 1).
void ApplyWeights(std::map<std::string, double>& vertex, const std::map<std::string, double>& named) {
  double namedSum = 0, otherSum = 0;
  for (const auto& [joint, w] : named) namedSum += w;
  for (const auto& [joint, w] : vertex) {
    if (!named.count(joint)) otherSum += w;
  }
  double otherScale = namedSum >= 1.0 || otherSum <= 0 ? 0.0 : (1.0 - namedSum) / otherSum;
  double namedScale = namedSum > 1.0 ? 1.0 / namedSum : (otherSum <= 0 && namedSum > 0 ? 1.0 / namedSum : 1.0);
  for (auto it = vertex.begin(); it != vertex.end();) {
    if (named.count(it->first)) {
      ++it;
      continue;
    }
    it->second *= otherScale;
    it = it->second <= 0 ? vertex.erase(it) : std::next(it);
  }
  for (const auto& [joint, w] : named) {
    if (w * namedScale > 0) vertex[joint] = w * namedScale;
    else vertex.erase(joint);
  }
}

class BindChecker {
 public:
  BindChecker(MelBind& bind, const std::set<std::string>& joints, const std::vector<int>& vertexCounts,
              const std::vector<bool>& weighted)
      : bind_(bind), joints_(joints), vertexCounts_(vertexCounts), weighted_(weighted) {}

  void Run(const std::string& text) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
      where_ = line;
      std::vector<std::string> w = Words(line);
      if (w.empty() || w[0].rfind("//", 0) == 0) continue;
      if (w[0] == "global" && w.size() >= 3 && w[1] == "proc") Proc(w);
      else if (w[0] == "select") Select(w);
      else if (w[0] == "newSkinCluster") NewCluster();
      else if (w[0] == "skinCluster") Rigid(w);
      else if (w[0] == "skinPercent") Percent(w);
      else if (w[0].rfind("catch(", 0) == 0) caught_.insert(MeshIndex(w[0].substr(6)));
      else if (w[0] == "RunMeshBinds();" || w[0] == "RunMeshBinds()") runCalled_ = true;
      else if (w[0] == "VornsPerfectBind();" || w[0] == "VornsPerfectBind()") perfectCalled_ = true;
    }
    Finish();
  }

 private:
  void Error(const std::string& text) { bind_.errors.push_back(text + " [" + where_ + "]"); }

  bool IsJoint(const std::string& name) {
    if (joints_.count(name)) return true;
    Error("not a joint of the scene: " + name);
    return false;
  }

  bool ValidSurface(int i) { return i >= 0 && i < static_cast<int>(vertexCounts_.size()); }

  void Proc(const std::vector<std::string>& w) {
    std::string tail;
    proc_ = MeshIndex(w[2], &tail);
    if (proc_ < 0) return;
    if (tail != "_SmoothBinder()" || !ValidSurface(proc_)) return Error("unexpected procedure");
    if (!weighted_[proc_]) Error("smooth binder for an unweighted surface");
    if (bind_.weights.count(proc_)) Error("second smooth binder for one surface");
    selection_.clear();
    clusterMade_ = false;
  }

  void Select(const std::vector<std::string>& w) {
    if (w.size() != 3) return Error("unexpected select");
    if (w[1] == "-r") {
      if (MeshIndex(w[2]) != proc_ || proc_ < 0) Error("selects another mesh than its procedure's");
    } else if (w[1] == "-add") {
      if (IsJoint(w[2])) selection_.insert(w[2]);
    } else {
      Error("unexpected select");
    }
  }

  void NewCluster() {
    if (proc_ < 0) return Error("skin cluster outside a smooth binder");
    if (selection_.empty()) Error("skin cluster without influences");
    bind_.weights[proc_].assign(static_cast<size_t>(vertexCounts_[proc_]), {{kDefaultWeight, 1.0}});
    clusterMade_ = true;
  }

  void Rigid(const std::vector<std::string>& w) {
    // skinCluster -tsb -mi 1 <joint> VornMesh_<i>
    if (w.size() != 6 || w[1] != "-tsb" || w[2] != "-mi" || w[3] != "1") return Error("unexpected skinCluster");
    int i = MeshIndex(w[5]);
    if (!ValidSurface(i)) return Error("rigid bind of a missing surface");
    if (weighted_[i]) Error("rigid bind of a weighted surface");
    if (bind_.rigid.count(i)) Error("surface bound twice");
    if (IsJoint(w[4])) bind_.rigid[i] = w[4];
  }

  void Percent(const std::vector<std::string>& w) {
    // skinPercent (-tv <joint> <weight>)+ $cluster VornMesh_<i>.vtx[<a>] or .vtx[<a>:<b>]
    std::map<std::string, double> named;
    size_t k = 1;
    for (; k + 2 < w.size() && w[k] == "-tv"; k += 3) {
      double weight = 0;
      if (!ToDouble(w[k + 2], weight) || weight < 0 || weight > 1) Error("bad weight " + w[k + 2]);
      if (IsJoint(w[k + 1]) && !selection_.count(w[k + 1])) Error("weight for a joint outside the cluster: " + w[k + 1]);
      if (named.count(w[k + 1])) Error("joint named twice in one skinPercent");
      named[w[k + 1]] = weight;
    }
    if (named.empty() || k + 2 != w.size() || w[k] != "$cluster") return Error("unexpected skinPercent");
    std::string tail;
    int i = MeshIndex(w[k + 1], &tail);
    if (i != proc_ || !clusterMade_) return Error("skinPercent outside its mesh's smooth binder");
    long first = 0, last = 0;
    if (tail.rfind(".vtx[", 0) != 0 || tail.back() != ']') return Error("unexpected component");
    std::string range = tail.substr(5, tail.size() - 6);
    size_t colon = range.find(':');
    bool ok = colon == std::string::npos ? ToInt(range, first) && (last = first, true)
                                         : ToInt(range.substr(0, colon), first) && ToInt(range.substr(colon + 1), last);
    if (!ok || first < 0 || last < first || last >= vertexCounts_[i]) return Error("vertex range out of the mesh");
    auto& vertices = bind_.weights[i];
    for (long v = first; v <= last; ++v) ApplyWeights(vertices[static_cast<size_t>(v)], named);
  }

  void Finish() {
    where_ = "end of script";
    if (!runCalled_) Error("RunMeshBinds is never called");
    bool anyWeighted = false;
    for (size_t i = 0; i < vertexCounts_.size(); ++i) {
      int s = static_cast<int>(i);
      if (!weighted_[i]) {
        if (!bind_.rigid.count(s)) Error("surface " + std::to_string(i) + " is not bound");
        continue;
      }
      anyWeighted = true;
      if (!bind_.weights.count(s)) {
        Error("weighted surface " + std::to_string(i) + " has no smooth binder");
        continue;
      }
      if (!caught_.count(s)) Error("smooth binder of surface " + std::to_string(i) + " is never called");
      const auto& vertices = bind_.weights[s];
      for (size_t v = 0; v < vertices.size(); ++v) {
        double sum = 0;
        for (const auto& [joint, weight] : vertices[v]) {
          if (joint == kDefaultWeight && weight > 1e-9) Error("vertex " + std::to_string(i) + "." + std::to_string(v) + " keeps weights it was never given");
          sum += weight;
        }
        if (std::fabs(sum - 1.0) > 1e-4) Error("weights of vertex " + std::to_string(i) + "." + std::to_string(v) + " sum to " + std::to_string(sum));
      }
    }
    if (anyWeighted != perfectCalled_) Error("VornsPerfectBind called without weighted surfaces, or not called with them");
  }

  MelBind& bind_;
  const std::set<std::string>& joints_;
  const std::vector<int>& vertexCounts_;
  const std::vector<bool>& weighted_;
  std::string where_;
  int proc_ = -1;
  bool clusterMade_ = false, runCalled_ = false, perfectCalled_ = false;
  std::set<std::string> selection_;
  std::set<int> caught_;
};

}  // namespace

MayaScene CheckMayaAscii(const std::string& text) {
  MayaScene scene;
  std::string lf = CheckCrLf(text, scene.errors);
  std::vector<Statement> statements = SplitStatements(lf, scene.errors);
  SceneChecker(scene).Run(statements);
  return scene;
}

MelBind CheckMelBind(const std::string& text, const std::set<std::string>& joints, const std::vector<int>& vertexCounts,
                     const std::vector<bool>& weighted) {
  MelBind bind;
  std::string lf = CheckCrLf(text, bind.errors);
  BindChecker(bind, joints, vertexCounts, weighted).Run(lf);
  return bind;
}
