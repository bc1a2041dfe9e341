#include "sim/system_info.h"

#include "sim/files.h"
#include "sys/win_errors.h"
#include "text/ascii.h"
#include "text/winpath.h"

namespace prn::sim {

namespace {

ustring Hex(uint16_t number) {
  constexpr char16_t digits[] = u"0123456789ABCDEF";
  ustring text;
  do {
    text.insert(text.begin(), digits[number & 0xF]);
    number = static_cast<uint16_t>(number >> 4);
  } while (number != 0);
  return text;
}

// The texts an English Windows gives for the codes the simulation produces.
const char16_t* KnownMessage(uint32_t code) {
  switch (code) {
    case winerr::FileNotFound: return u"The system cannot find the file specified.";
    case winerr::PathNotFound: return u"The system cannot find the path specified.";
    case winerr::AccessDenied: return u"Access is denied.";
    case winerr::Timeout: return u"This operation returned because the timeout period expired.";
    case winerr::WriteFault: return u"The system cannot write to the specified device.";
    case winerr::SharingViolation:
      return u"The process cannot access the file because it is being used by another process.";
    case winerr::FileExists: return u"The file exists.";
    case winerr::DiskFull: return u"There is not enough space on the disk.";
    case winerr::AlreadyExists: return u"Cannot create a file when that file already exists.";
    case winerr::Directory: return u"The directory name is invalid.";
    case winerr::ResourceNameNotFound: return u"The specified resource name cannot be found in the image file.";
    case winerr::CantAccessFile: return u"The file cannot be accessed by the system.";
    default: return nullptr;
  }
}

}  // namespace

uint32_t SimSystemInfo::CreateTempFileName(const ustring& folder, const ustring& prefix, ustring& fileName) {
  if (tempNameFailure_ != 0) return tempNameFailure_;
  if (!files_.DirectoryExists(folder)) return winerr::Directory;
  // As the system does: up to three letters of the prefix, the number in hex,
  // the next free number when the name is taken.
  for (uint32_t tries = 0; tries < 0xFFFF; ++tries) {
    uint16_t number = nextUnique_++;
    if (number == 0) continue;
    ustring candidate = JoinPath(folder, prefix.substr(0, 3) + Hex(number) + u".tmp");
    if (files_.FileExists(candidate) || files_.DirectoryExists(candidate)) continue;
    if (uint32_t code = files_.WriteFile(candidate, {})) return code;
    fileName = files_.FullPath(candidate);
    return winerr::Success;
  }
  return winerr::FileExists;
}

namespace {

// Held as the real one is: its files with read sharing only, the folder
// itself with delete access and no delete sharing.
class SimPrivateFolder : public sys::PrivateFolder {
 public:
  SimPrivateFolder(SimFileSystem& files, ustring path) : files_(files), path_(std::move(path)) {
    files_.HoldFolder(path_);
  }
  ~SimPrivateFolder() override { ReleaseAll(); }

  const ustring& Path() const override { return path_; }

  uint32_t WriteHeldFile(const ustring& path, const std::string& bytes) override {
    if (files_.FileExists(path) || files_.DirectoryExists(path)) return winerr::FileExists;
    if (uint32_t code = files_.WriteFile(path, bytes)) return code;
    files_.Hold(path);
    held_.push_back(path);
    return winerr::Success;
  }

  uint32_t Remove() override {
    ReleaseAll();
    return files_.DeleteTree(path_);
  }

 private:
  void ReleaseAll() {
    for (const ustring& path : held_) files_.Release(path);
    held_.clear();
    files_.ReleaseFolder(path_);
  }

  SimFileSystem& files_;
  ustring path_;
  std::vector<ustring> held_;
};

}  // namespace

uint32_t SimSystemInfo::CreatePrivateFolder(const ustring& path, std::unique_ptr<sys::PrivateFolder>& folder) {
  ustring full = files_.FullPath(path);
  const ustring parent = FolderPart(full);
  const bool linkOnTheWay = files_.LeadsThroughLink(parent);
  // A link of that name counts as there, wherever it leads.
  if (files_.DirectoryExists(full) || files_.FileExists(full) || (!linkOnTheWay && files_.LeadsThroughLink(full)))
    return winerr::AlreadyExists;
  if (!files_.DirectoryExists(parent)) return winerr::PathNotFound;
  // The folder would be made where the link leads: refused, as the real
  // machine refuses it once it sees where the new folder went.
  if (linkOnTheWay) return winerr::CantAccessFile;
  if (uint32_t code = files_.CreateDirectories(full)) return code;
  privateFolders_.insert(AsciiUpper(full));
  folder = std::make_unique<SimPrivateFolder>(files_, full);
  return winerr::Success;
}

bool SimSystemInfo::IsPrivateFolder(const ustring& path) const {
  return privateFolders_.count(AsciiUpper(files_.FullPath(path))) != 0;
}

ustring SimSystemInfo::ErrorMessage(uint32_t code) const {
  const char16_t* text = KnownMessage(code);
  return text ? ustring(text) : ustring();
}

}  // namespace prn::sim
