#include "text/winpath.h"

#include <vector>

#include "text/ascii.h"

namespace prn {

namespace {

std::vector<ustring> Split(ustring_view path) {
  std::vector<ustring> parts;
  ustring current;
  for (char16_t c : path) {
    if (c == u'\\' || c == u'/') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

bool HasDrive(ustring_view path) {
  return path.size() >= 2 && path[1] == u':' &&
         ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
}

}  // namespace

bool IsAbsoluteWindowsPath(ustring_view path) {
  if (HasDrive(path) && path.size() >= 3 && (path[2] == u'\\' || path[2] == u'/')) return true;
  return path.size() >= 2 && (path[0] == u'\\' || path[0] == u'/') && (path[1] == u'\\' || path[1] == u'/');
}

ustring JoinPath(ustring_view folder, ustring_view name) {
  ustring out(folder);
  while (!out.empty() && (out.back() == u'\\' || out.back() == u'/')) out.pop_back();
  size_t start = 0;
  while (start < name.size() && (name[start] == u'\\' || name[start] == u'/')) ++start;
  out += u'\\';
  out += name.substr(start);
  return out;
}

ustring FullWindowsPath(ustring_view current, ustring_view path) {
  ustring root;
  std::vector<ustring> parts;
  if (HasDrive(path) && (path.size() == 2 || path[2] == u'\\' || path[2] == u'/')) {
    root = ustring(path.substr(0, 2));
    parts = Split(path.substr(2));
  } else if (!path.empty() && (path[0] == u'\\' || path[0] == u'/') &&
             !(path.size() >= 2 && (path[1] == u'\\' || path[1] == u'/'))) {
    root = HasDrive(current) ? ustring(current.substr(0, 2)) : ustring();
    parts = Split(path);
  } else {
    root = HasDrive(current) ? ustring(current.substr(0, 2)) : ustring();
    parts = Split(HasDrive(current) ? current.substr(2) : current);
    auto more = Split(path);
    parts.insert(parts.end(), more.begin(), more.end());
  }
  std::vector<ustring> resolved;
  for (auto& part : parts) {
    if (part == u".") continue;
    if (part == u"..") {
      if (!resolved.empty()) resolved.pop_back();
      continue;
    }
    resolved.push_back(part);
  }
  ustring out = root;
  if (resolved.empty()) return out + u"\\";
  for (auto& part : resolved) out += u"\\" + part;
  // A trailing separator of the input survives, as with GetFullPathNameW.
  if (!path.empty() && (path.back() == u'\\' || path.back() == u'/')) out += u"\\";
  return out;
}

ustring RelativeWindowsPath(ustring_view from, ustring_view target) {
  auto a = Split(from);
  auto b = Split(target);
  if (a.empty() || b.empty() || !EqualsNoCase(a[0], b[0])) return ustring(target);
  size_t common = 0;
  while (common < a.size() && common < b.size() && EqualsNoCase(a[common], b[common])) ++common;
  ustring out;
  for (size_t i = common; i < a.size(); ++i) out += u"..\\";
  for (size_t i = common; i < b.size(); ++i) {
    out += b[i];
    if (i + 1 < b.size()) out += u"\\";
  }
  if (out.empty()) out = u".";
  return out;
}

bool IsWebLink(ustring_view target) {
  return StartsWithNoCase(target, u"http://") || StartsWithNoCase(target, u"https://");
}

}  // namespace prn
