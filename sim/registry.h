#pragma once
// The simulated HKEY_LOCAL_MACHINE: a tree of keys with typed values, names
// compared without regard to case. Opening or creating keys at or below a
// chosen path can be made to fail, as on a key whose access list refuses it.
// A 32-bit process on 64-bit Windows sees "SOFTWARE\WOW6432Node" as its
// "SOFTWARE" unless it asks for the 64-bit view.

#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "sys/registry.h"

namespace prn::sim {

class SimRegistry : public sys::Registry {
 public:
  SimRegistry();
  ~SimRegistry() override;

  // Whether the calling process is a 32-bit one on 64-bit Windows.
  void SetRedirected32(bool redirected) { redirected32_ = redirected; }
  void FailOpenUnder(const ustring& path, uint32_t code);
  void FailCreateUnder(const ustring& path, uint32_t code);
  // Deleting this key fails with `code`, and so does deleting any key above
  // it (RegDeleteTree cannot take a tree with a key it may not delete).
  void FailDeleteOf(const ustring& path, uint32_t code);

  // Conveniences for tests and scenarios (64-bit view, no failures applied).
  bool KeyExists(const ustring& path) const;
  std::optional<sys::RegistryValue> Value(const ustring& path, const ustring& name) const;

  uint32_t OpenKey(const ustring& path, sys::RegistryView view) override;
  uint32_t CreateKey(const ustring& path, sys::RegistryView view) override;
  uint32_t DeleteTree(const ustring& path, sys::RegistryView view) override;
  uint32_t EnumerateSubkeys(const ustring& path, std::vector<ustring>& names, sys::RegistryView view) override;
  uint32_t ReadValue(const ustring& path, const ustring& name, sys::RegistryValue& value,
                     sys::RegistryView view) override;
  uint32_t WriteValue(const ustring& path, const ustring& name, const sys::RegistryValue& value,
                      sys::RegistryView view) override;

 private:
  struct Key;
  using Path = std::vector<ustring>;

  Path Resolve(const ustring& path, sys::RegistryView view) const;
  Key* Find(const Path& path) const;
  uint32_t InjectedFailure(const std::map<ustring, uint32_t>& failures, const Path& path) const;
  // A delete failure at or below `path`.
  uint32_t DeleteFailureIn(const Path& path) const;

  std::unique_ptr<Key> root_;
  std::map<ustring, uint32_t> openFailures_;
  std::map<ustring, uint32_t> createFailures_;
  std::map<ustring, uint32_t> deleteFailures_;
  bool redirected32_ = false;
  mutable std::mutex mutex_;
};

}  // namespace prn::sim
