#include "platform/sim/registry_sim.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <vector>

#include "platform/text_encoding.h"

namespace corvane::platform {

namespace {

constexpr size_t kRootCount = static_cast<size_t>(RegistryRoot::DynData) + 1;

struct NamedValue {
  std::wstring name;
  RegistryValue value;
};

struct Node {
  std::wstring name;
  std::vector<std::shared_ptr<Node>> children;
  std::vector<NamedValue> values;
  // Set when the key is deleted; handles still holding the node then see an empty,
  // unwritable key, as the registry answers a handle to a deleted key.
  bool deleted = false;
  // When the node itself last changed (its values, or its list of sub-keys).
  uint64_t stamp = 0;
};

uint64_t NewestStamp(const Node& node) {
  uint64_t newest = node.stamp;
  for (const auto& child : node.children) newest = std::max(newest, NewestStamp(*child));
  return newest;
}

std::vector<std::wstring> SplitPath(const std::wstring& path) {
  std::vector<std::wstring> segments;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    if (end > start) segments.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return segments;
}

bool SamePath(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const std::wstring& x, const std::wstring& y) { return EqualsNoCase(x, y); });
}

auto FindChild(std::vector<std::shared_ptr<Node>>& children, const std::wstring& name) {
  return std::find_if(children.begin(), children.end(),
                      [&](const auto& child) { return EqualsNoCase(child->name, name); });
}

auto FindValue(std::vector<NamedValue>& values, const std::wstring& name) {
  return std::find_if(values.begin(), values.end(),
                      [&](const NamedValue& value) { return EqualsNoCase(value.name, name); });
}

void MarkDeleted(Node& node) {
  node.deleted = true;
  for (auto& child : node.children) MarkDeleted(*child);
}

}  // namespace

struct SimRegistryState {
  struct FailedOpen {
    RegistryRoot root;
    std::vector<std::wstring> path;
  };

  std::mutex mutex;
  std::array<std::shared_ptr<Node>, kRootCount> roots;
  std::vector<FailedOpen> failedOpens;
  bool failWrites = false;
  uint64_t changes = 0;  // stamps the nodes a change touches

  SimRegistryState() {
    for (auto& root : roots) root = std::make_shared<Node>();
  }

  bool OpenFails(RegistryRoot root, const std::vector<std::wstring>& path) const {
    return std::any_of(failedOpens.begin(), failedOpens.end(),
                       [&](const FailedOpen& f) { return f.root == root && SamePath(f.path, path); });
  }

  // The node at `path`, or null when a level is missing (and `create` is false).
  std::shared_ptr<Node> Walk(RegistryRoot root, const std::vector<std::wstring>& path, bool create) {
    auto index = static_cast<size_t>(root);
    if (index >= roots.size()) return nullptr;
    std::shared_ptr<Node> node = roots[index];
    for (const auto& segment : path) {
      auto it = FindChild(node->children, segment);
      if (it != node->children.end()) {
        node = *it;
      } else if (create) {
        auto child = std::make_shared<Node>();
        child->name = segment;
        node->stamp = child->stamp = ++changes;
        node->children.push_back(child);
        node = std::move(child);
      } else {
        return nullptr;
      }
    }
    return node;
  }
};

namespace {

class SimKey final : public RegistryKey {
 public:
  SimKey(std::shared_ptr<SimRegistryState> state, std::shared_ptr<Node> node)
      : state_(std::move(state)), node_(std::move(node)) {}

  std::optional<RegistryValueInfo> QueryValue(const std::wstring& name) const override {
    std::lock_guard lock(state_->mutex);
    const NamedValue* found = Find(name);
    if (!found) return std::nullopt;
    return RegistryValueInfo{found->value.type, static_cast<uint32_t>(found->value.data.size())};
  }

  std::optional<RegistryValue> ReadValue(const std::wstring& name) const override {
    std::lock_guard lock(state_->mutex);
    const NamedValue* found = Find(name);
    if (!found) return std::nullopt;
    return found->value;
  }

  bool WriteValue(const std::wstring& name, uint32_t type, std::span<const uint8_t> data) override {
    std::lock_guard lock(state_->mutex);
    if (state_->failWrites || node_->deleted) return false;
    RegistryValue value{type, std::vector<uint8_t>(data.begin(), data.end())};
    auto it = FindValue(node_->values, name);
    if (it != node_->values.end()) {
      it->value = std::move(value);  // the first spelling of the name stays
    } else {
      node_->values.push_back({name, std::move(value)});
    }
    node_->stamp = ++state_->changes;
    return true;
  }

  bool DeleteValue(const std::wstring& name) override {
    std::lock_guard lock(state_->mutex);
    if (state_->failWrites || node_->deleted) return false;
    auto it = FindValue(node_->values, name);
    if (it == node_->values.end()) return false;
    node_->values.erase(it);
    node_->stamp = ++state_->changes;
    return true;
  }

  std::vector<std::wstring> SubKeyNames() const override {
    std::lock_guard lock(state_->mutex);
    std::vector<std::wstring> names;
    if (node_->deleted) return names;
    for (const auto& child : node_->children) names.push_back(child->name);
    return names;
  }

  std::vector<std::wstring> ValueNames() const override {
    std::lock_guard lock(state_->mutex);
    std::vector<std::wstring> names;
    if (node_->deleted) return names;
    for (const auto& value : node_->values) names.push_back(value.name);
    return names;
  }

 private:
  // Callers hold the mutex.
  const NamedValue* Find(const std::wstring& name) const {
    if (node_->deleted) return nullptr;
    auto it = FindValue(node_->values, name);
    return it == node_->values.end() ? nullptr : &*it;
  }

  std::shared_ptr<SimRegistryState> state_;
  std::shared_ptr<Node> node_;
};

}  // namespace

SimRegistry::SimRegistry() : state_(std::make_shared<SimRegistryState>()) {}

SimRegistry::~SimRegistry() = default;

std::unique_ptr<RegistryKey> SimRegistry::OpenKey(RegistryRoot root, const std::wstring& path, bool create) {
  std::lock_guard lock(state_->mutex);
  auto segments = SplitPath(path);
  if (state_->OpenFails(root, segments)) return nullptr;
  auto node = state_->Walk(root, segments, create);
  if (!node) return nullptr;
  return std::make_unique<SimKey>(state_, std::move(node));
}

bool SimRegistry::DeleteKey(RegistryRoot root, const std::wstring& path) {
  std::lock_guard lock(state_->mutex);
  auto segments = SplitPath(path);
  if (state_->failWrites || segments.empty()) return false;  // a root cannot be deleted
  const std::wstring leaf = segments.back();
  segments.pop_back();
  auto parent = state_->Walk(root, segments, false);
  if (!parent) return false;
  auto it = FindChild(parent->children, leaf);
  if (it == parent->children.end()) return false;
  MarkDeleted(**it);
  parent->children.erase(it);
  parent->stamp = ++state_->changes;
  return true;
}

namespace {

// Looks the key up afresh each time, so a key deleted and made again is seen as changed.
class SimWatch final : public RegistryWatch {
 public:
  SimWatch(std::shared_ptr<SimRegistryState> state, RegistryRoot root, std::vector<std::wstring> path)
      : state_(std::move(state)), root_(root), path_(std::move(path)) {}
  bool Changed() override {
    std::lock_guard lock(state_->mutex);
    const std::shared_ptr<Node> node = state_->Walk(root_, path_, false);
    const uint64_t newest = node ? NewestStamp(*node) : 0;
    const bool changed = first_ || node != node_.lock() || newest != newest_;
    first_ = false;
    node_ = node;
    newest_ = newest;
    return changed;
  }

 private:
  std::shared_ptr<SimRegistryState> state_;
  RegistryRoot root_;
  std::vector<std::wstring> path_;
  bool first_ = true;
  std::weak_ptr<Node> node_;
  uint64_t newest_ = 0;
};

}  // namespace

std::unique_ptr<RegistryWatch> SimRegistry::WatchKey(RegistryRoot root, const std::wstring& path) {
  return std::make_unique<SimWatch>(state_, root, SplitPath(path));
}

void SimRegistry::FailOpen(RegistryRoot root, const std::wstring& path) {
  std::lock_guard lock(state_->mutex);
  state_->failedOpens.push_back({root, SplitPath(path)});
}

void SimRegistry::FailWrites(bool fail) {
  std::lock_guard lock(state_->mutex);
  state_->failWrites = fail;
}

void SimRegistry::ClearFailures() {
  std::lock_guard lock(state_->mutex);
  state_->failedOpens.clear();
  state_->failWrites = false;
}

bool SimRegistry::Exists(RegistryRoot root, const std::wstring& path) const {
  std::lock_guard lock(state_->mutex);
  return state_->Walk(root, SplitPath(path), false) != nullptr;
}

}  // namespace corvane::platform
