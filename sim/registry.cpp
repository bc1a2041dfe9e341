#include "sim/registry.h"

#include "sys/win_errors.h"
#include "text/ascii.h"

namespace prn::sim {

struct SimRegistry::Key {
  ustring name;
  std::map<ustring, std::unique_ptr<Key>> subkeys;  // by upper-case name
  std::map<ustring, std::pair<ustring, sys::RegistryValue>> values;
};

namespace {

std::vector<ustring> SplitPath(const ustring& path) {
  std::vector<ustring> parts;
  ustring part;
  for (char16_t c : path) {
    if (c == u'\\') {
      if (!part.empty()) parts.push_back(std::move(part));
      part.clear();
    } else {
      part.push_back(c);
    }
  }
  if (!part.empty()) parts.push_back(std::move(part));
  return parts;
}

ustring JoinUpper(const std::vector<ustring>& parts) {
  ustring joined;
  for (const auto& part : parts) joined += AsciiUpper(part) + u"\\";
  return joined;
}

}  // namespace

SimRegistry::SimRegistry() : root_(std::make_unique<Key>()) {}
SimRegistry::~SimRegistry() = default;

void SimRegistry::FailOpenUnder(const ustring& path, uint32_t code) {
  std::lock_guard lock(mutex_);
  openFailures_[JoinUpper(SplitPath(path))] = code;
}

void SimRegistry::FailDeleteOf(const ustring& path, uint32_t code) {
  std::lock_guard lock(mutex_);
  deleteFailures_[JoinUpper(SplitPath(path))] = code;
}

void SimRegistry::FailCreateUnder(const ustring& path, uint32_t code) {
  std::lock_guard lock(mutex_);
  createFailures_[JoinUpper(SplitPath(path))] = code;
}

SimRegistry::Path SimRegistry::Resolve(const ustring& path, sys::RegistryView view) const {
  Path parts = SplitPath(path);
  bool view32 = view == sys::RegistryView::Force32 || (view == sys::RegistryView::Default && redirected32_);
  if (view32 && !parts.empty() && EqualsNoCase(parts[0], u"SOFTWARE") &&
      !(parts.size() > 1 && EqualsNoCase(parts[1], u"WOW6432Node"))) {
    parts.insert(parts.begin() + 1, u"WOW6432Node");
  }
  return parts;
}

SimRegistry::Key* SimRegistry::Find(const Path& path) const {
  Key* key = root_.get();
  for (const auto& part : path) {
    auto it = key->subkeys.find(AsciiUpper(part));
    if (it == key->subkeys.end()) return nullptr;
    key = it->second.get();
  }
  return key;
}

uint32_t SimRegistry::InjectedFailure(const std::map<ustring, uint32_t>& failures, const Path& path) const {
  const ustring joined = JoinUpper(path);
  for (const auto& [prefix, code] : failures) {
    if (joined.starts_with(prefix)) return code;
  }
  return 0;
}

uint32_t SimRegistry::DeleteFailureIn(const Path& path) const {
  const ustring joined = JoinUpper(path);  // each name ends with a backslash
  for (const auto& [key, code] : deleteFailures_) {
    if (key.starts_with(joined)) return code;
  }
  return 0;
}

bool SimRegistry::KeyExists(const ustring& path) const {
  std::lock_guard lock(mutex_);
  return Find(SplitPath(path)) != nullptr;
}

std::optional<sys::RegistryValue> SimRegistry::Value(const ustring& path, const ustring& name) const {
  std::lock_guard lock(mutex_);
  Key* key = Find(SplitPath(path));
  if (!key) return std::nullopt;
  auto it = key->values.find(AsciiUpper(name));
  if (it == key->values.end()) return std::nullopt;
  return it->second.second;
}

uint32_t SimRegistry::OpenKey(const ustring& path, sys::RegistryView view) {
  std::lock_guard lock(mutex_);
  Path resolved = Resolve(path, view);
  if (uint32_t failure = InjectedFailure(openFailures_, resolved)) return failure;
  return Find(resolved) ? 0 : winerr::FileNotFound;
}

uint32_t SimRegistry::CreateKey(const ustring& path, sys::RegistryView view) {
  std::lock_guard lock(mutex_);
  Path resolved = Resolve(path, view);
  if (uint32_t failure = InjectedFailure(createFailures_, resolved)) return failure;
  Key* key = root_.get();
  for (const auto& part : resolved) {
    auto& child = key->subkeys[AsciiUpper(part)];
    if (!child) {
      child = std::make_unique<Key>();
      child->name = part;
    }
    key = child.get();
  }
  return 0;
}

uint32_t SimRegistry::DeleteTree(const ustring& path, sys::RegistryView view) {
  std::lock_guard lock(mutex_);
  Path resolved = Resolve(path, view);
  if (resolved.empty()) return winerr::AccessDenied;
  if (uint32_t failure = InjectedFailure(openFailures_, resolved)) return failure;
  Path parentPath(resolved.begin(), resolved.end() - 1);
  if (!Find(resolved)) return winerr::FileNotFound;
  if (uint32_t failure = DeleteFailureIn(resolved)) return failure;
  Key* parent = Find(parentPath);
  if (!parent || parent->subkeys.erase(AsciiUpper(resolved.back())) == 0) return winerr::FileNotFound;
  return 0;
}

uint32_t SimRegistry::EnumerateSubkeys(const ustring& path, std::vector<ustring>& names, sys::RegistryView view) {
  std::lock_guard lock(mutex_);
  Path resolved = Resolve(path, view);
  if (uint32_t failure = InjectedFailure(openFailures_, resolved)) return failure;
  Key* key = Find(resolved);
  if (!key) return winerr::FileNotFound;
  names.clear();
  for (const auto& [upper, child] : key->subkeys) names.push_back(child->name);
  return 0;
}

uint32_t SimRegistry::ReadValue(const ustring& path, const ustring& name, sys::RegistryValue& value,
                                sys::RegistryView view) {
  std::lock_guard lock(mutex_);
  Path resolved = Resolve(path, view);
  if (uint32_t failure = InjectedFailure(openFailures_, resolved)) return failure;
  Key* key = Find(resolved);
  if (!key) return winerr::FileNotFound;
  auto it = key->values.find(AsciiUpper(name));
  if (it == key->values.end()) return winerr::FileNotFound;
  value = it->second.second;
  return 0;
}

uint32_t SimRegistry::WriteValue(const ustring& path, const ustring& name, const sys::RegistryValue& value,
                                 sys::RegistryView view) {
  std::lock_guard lock(mutex_);
  Path resolved = Resolve(path, view);
  if (uint32_t failure = InjectedFailure(openFailures_, resolved)) return failure;
  Key* key = Find(resolved);
  if (!key) return winerr::FileNotFound;
  key->values[AsciiUpper(name)] = {name, value};
  return 0;
}

}  // namespace prn::sim
