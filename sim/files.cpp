#include "sim/files.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/winpath.h"

namespace prn::sim {

namespace fs = std::filesystem;

namespace {

bool WildcardMatch(ustring_view name, ustring_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == u'*') {
    for (size_t i = 0; i <= name.size(); ++i) {
      if (WildcardMatch(name.substr(i), pattern.substr(1))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != u'?' && AsciiUpper(pattern[0]) != AsciiUpper(name[0])) return false;
  return WildcardMatch(name.substr(1), pattern.substr(1));
}

// The host path of the names below `folder`, each matched in any ASCII
// case as Windows matches names; a name that is not there stays as written.
fs::path PathInAnyCase(const fs::path& folder, const std::vector<std::string>& names) {
  fs::path path = folder;
  for (const std::string& name : names) path /= name;
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  path = folder;
  for (const std::string& name : names) {
    fs::path found = path / name;
    if (!fs::exists(found, ec)) {
      for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsNoCase(it->path().filename().string(), name)) found = it->path();
      }
    }
    path = std::move(found);
  }
  return path;
}

}  // namespace

uint32_t WindowsCodeOf(const std::error_code& ec) {
  if (!ec) return winerr::Success;
  if (ec == std::errc::no_such_file_or_directory) return winerr::PathNotFound;
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
      ec == std::errc::read_only_file_system)
    return winerr::AccessDenied;
  if (ec == std::errc::no_space_on_device) return winerr::DiskFull;
  if (ec == std::errc::file_exists) return winerr::AlreadyExists;
  if (ec == std::errc::directory_not_empty) return winerr::DirNotEmpty;
  if (ec == std::errc::is_a_directory || ec == std::errc::not_a_directory) return winerr::AccessDenied;
  return winerr::WriteFault;
}

SimFileSystem::SimFileSystem(fs::path hostRoot) : hostRoot_(std::move(hostRoot)) {}

void SimFileSystem::FailWritesUnder(const ustring& folder, uint32_t code) {
  failingFolders_[AsciiUpper(FullPath(folder))] = code;
}

void SimFileSystem::Mount(const ustring& drive, fs::path hostFolder) {
  mounts_[AsciiUpper(drive.substr(0, 1))] = std::move(hostFolder);
}

fs::path SimFileSystem::HostPath(const ustring& path) const {
  ustring full = FullPath(path);
  fs::path host = hostRoot_;
  if (full.size() >= 2 && full[1] == u':') {
    ustring drive = AsciiUpper(full.substr(0, 1));
    auto mount = mounts_.find(drive);
    host = mount != mounts_.end() ? mount->second : hostRoot_ / ToUtf8(drive);
    full = full.substr(2);
  }
  std::vector<std::string> names;
  ustring segment;
  for (char16_t c : full + u"\\") {
    if (c == u'\\') {
      if (!segment.empty()) names.push_back(ToUtf8(segment));
      segment.clear();
    } else {
      segment.push_back(c);
    }
  }
  return PathInAnyCase(host, names);
}

void SimFileSystem::Hold(const ustring& path) { held_.insert(AsciiUpper(FullPath(path))); }

void SimFileSystem::Release(const ustring& path) { held_.erase(AsciiUpper(FullPath(path))); }

void SimFileSystem::HoldFolder(const ustring& path) { heldFolders_.insert(AsciiUpper(FullPath(path))); }

void SimFileSystem::ReleaseFolder(const ustring& path) { heldFolders_.erase(AsciiUpper(FullPath(path))); }

bool SimFileSystem::FolderHeldForDelete(const ustring& path) const {
  return !path.empty() && heldFolders_.count(AsciiUpper(FullPath(path))) != 0;
}

uint32_t SimFileSystem::CreateLink(const ustring& link, const ustring& target) {
  if (uint32_t code = WriteBlocked(link)) return code;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(HostPath(link), ec))) return winerr::AlreadyExists;
  fs::create_directory_symlink(HostPath(target), HostPath(link), ec);
  return WindowsCodeOf(ec);
}

bool SimFileSystem::LeadsThroughLink(const ustring& path) const {
  const ustring full = FullPath(path);
  if (full.size() < 3 || full[1] != u':') return false;
  // Only the machine's own folders count, not the host's links above its disks.
  ustring walked = full.substr(0, 2);
  size_t start = 3;
  while (start <= full.size()) {
    size_t end = full.find(u'\\', start);
    if (end == ustring::npos) end = full.size();
    if (end > start) {
      walked += u"\\" + full.substr(start, end - start);
      if (IsLink(walked)) return true;
    }
    start = end + 1;
  }
  return false;
}

uint32_t SimFileSystem::WriteBlocked(const ustring& path) const {
  ustring full = AsciiUpper(FullPath(path));
  for (const ustring& file : held_) {
    if (file == full || (file.size() > full.size() && file.compare(0, full.size(), full) == 0 &&
                         file[full.size()] == u'\\'))
      return winerr::SharingViolation;
  }
  for (const auto& [folder, code] : failingFolders_) {
    if (full == folder || (full.size() > folder.size() && full.compare(0, folder.size(), folder) == 0 &&
                           (folder.back() == u'\\' || full[folder.size()] == u'\\')))
      return code;
  }
  return winerr::Success;
}

bool SimFileSystem::FileExists(const ustring& path) const {
  std::error_code ec;
  return fs::is_regular_file(HostPath(path), ec);
}

bool SimFileSystem::DirectoryExists(const ustring& path) const {
  std::error_code ec;
  return fs::is_directory(HostPath(path), ec);
}

uint32_t SimFileSystem::CreateDirectories(const ustring& path) {
  if (uint32_t code = WriteBlocked(path)) return code;
  std::error_code ec;
  fs::create_directories(HostPath(path), ec);
  return WindowsCodeOf(ec);
}

uint32_t SimFileSystem::WriteFile(const ustring& path, const std::string& bytes) {
  if (uint32_t code = WriteBlocked(path)) return code;
  auto host = HostPath(path);
  std::error_code ec;
  if (!fs::is_directory(host.parent_path(), ec)) return winerr::PathNotFound;
  if (fs::is_directory(host, ec)) return winerr::AccessDenied;
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  if (!out) return winerr::AccessDenied;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out ? winerr::Success : winerr::WriteFault;
}

uint32_t SimFileSystem::ReadFile(const ustring& path, std::string& bytes) const {
  auto host = HostPath(path);
  std::error_code ec;
  // As CreateFileW: a missing folder on the way is another error than a missing file.
  if (!fs::is_directory(host.parent_path(), ec)) return winerr::PathNotFound;
  if (!fs::is_regular_file(host, ec)) return winerr::FileNotFound;
  std::ifstream in(host, std::ios::binary);
  if (!in) return winerr::AccessDenied;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return winerr::Success;
}

uint32_t SimFileSystem::RemoveFile(const ustring& path) {
  if (uint32_t code = WriteBlocked(path)) return code;
  auto host = HostPath(path);
  std::error_code ec;
  if (!fs::is_regular_file(host, ec)) return winerr::FileNotFound;
  fs::remove(host, ec);
  return WindowsCodeOf(ec);
}

uint32_t SimFileSystem::CopyTree(const ustring& from, const ustring& to) {
  if (uint32_t code = WriteBlocked(to)) return code;
  auto source = HostPath(from);
  std::error_code ec;
  if (!fs::is_directory(source, ec)) return winerr::PathNotFound;
  const fs::path target = HostPath(to);
  fs::create_directories(target, ec);
  if (ec) return WindowsCodeOf(ec);
  // Walked here rather than by fs::copy, whose recursion on a Windows host
  // refuses folders that are there already. A link inside is never
  // followed: it is not copied at all.
  for (fs::recursive_directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path copy = target / fs::relative(it->path(), source, ec);
    if (ec) break;
    if (it->is_symlink(ec)) {
      it.disable_recursion_pending();
    } else if (it->is_directory(ec)) {
      fs::create_directories(copy, ec);
    } else {
      fs::copy_file(it->path(), copy, fs::copy_options::overwrite_existing, ec);
    }
  }
  return WindowsCodeOf(ec);
}

uint32_t SimFileSystem::DeleteTree(const ustring& path) {
  if (uint32_t code = WriteBlocked(path)) return code;
  auto host = HostPath(path);
  std::error_code ec;
  if (!fs::exists(host, ec)) return winerr::PathNotFound;
  fs::remove_all(host, ec);
  return WindowsCodeOf(ec);
}

uint32_t SimFileSystem::MoveFolder(const ustring& from, const ustring& to) {
  if (uint32_t code = WriteBlocked(from)) return code;
  if (uint32_t code = WriteBlocked(to)) return code;
  std::error_code ec;
  if (!fs::is_directory(HostPath(from), ec)) return winerr::FileNotFound;
  if (fs::exists(fs::symlink_status(HostPath(to), ec))) return winerr::AlreadyExists;
  fs::rename(HostPath(from), HostPath(to), ec);
  return WindowsCodeOf(ec);
}

bool SimFileSystem::IsLink(const ustring& path) const {
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(HostPath(path), ec));
}

std::vector<ustring> SimFileSystem::ListFiles(const ustring& folder, const ustring& pattern) const {
  std::vector<ustring> names;
  std::error_code ec;
  for (fs::directory_iterator it(HostPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    ustring name = FromUtf8(it->path().filename().string());
    if (WildcardMatch(name, pattern)) names.push_back(name);
  }
  return names;
}

ustring SimFileSystem::FullPath(const ustring& path) const { return FullWindowsPath(current_, path); }

}  // namespace prn::sim
