#include "sim/program_lookup.h"

#include <vector>

#include "sys/files.h"
#include "text/winpath.h"

namespace prn::sim {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

bool HasExtension(ustring_view name) {
  ustring file = FileNamePart(name);
  return file.find(u'.') != ustring::npos;
}

bool HasFolder(ustring_view name) { return name.find_first_of(u"\\/:") != ustring_view::npos; }

ustring Existing(const sys::FileSystem& files, const ustring& path) {
  ustring full = files.FullPath(path);
  return files.FileExists(full) ? full : ustring();
}

ustring Search(const sys::FileSystem& files, const ProgramFolders& folders, ustring name) {
  if (!HasExtension(name)) name += u".exe";
  if (HasFolder(name)) return Existing(files, name);
  const std::vector<ustring> searched = {folders.executableFolder, files.CurrentDirectory(),
                                         folders.systemDirectory, FolderPart(folders.systemDirectory)};
  for (const ustring& folder : searched) {
    if (folder.empty()) continue;
    if (ustring found = Existing(files, JoinPath(folder, name)); !found.empty()) return found;
  }
  return {};
}

}  // namespace

ustring FindProgramFile(const sys::FileSystem& files, const ProgramFolders& folders, ustring_view applicationName,
                        ustring_view commandLine) {
  if (!applicationName.empty()) return Existing(files, ustring(applicationName));
  size_t start = 0;
  while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
  ustring_view line = commandLine.substr(start);
  if (!line.empty() && line[0] == u'"') {
    size_t close = line.find(u'"', 1);
    return Search(files, folders, ustring(line.substr(1, close == ustring_view::npos ? ustring_view::npos : close - 1)));
  }
  // Unquoted: each blank may end the name, the shortest first.
  for (size_t end = 0; end <= line.size(); ++end) {
    if (end < line.size() && !IsBlank(line[end])) continue;
    if (end == 0) break;
    if (ustring found = Search(files, folders, ustring(line.substr(0, end))); !found.empty()) return found;
  }
  return {};
}

}  // namespace prn::sim
