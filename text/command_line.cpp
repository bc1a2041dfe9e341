#include "text/command_line.h"

namespace prn {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// End of the program name: the closing quote of a quoted name, else the first blank.
size_t ProgramNameEnd(ustring_view line) {
  if (!line.empty() && line[0] == u'"') {
    size_t close = line.find(u'"', 1);
    return close == ustring_view::npos ? line.size() : close + 1;
  }
  size_t i = 0;
  while (i < line.size() && !IsBlank(line[i])) ++i;
  return i;
}

}  // namespace

ustring ArgumentsText(ustring_view commandLine) {
  size_t i = ProgramNameEnd(commandLine);
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  return ustring(commandLine.substr(i));
}

StringList SplitCommandLine(ustring_view commandLine) {
  StringList args;
  size_t nameEnd = ProgramNameEnd(commandLine);
  ustring name(commandLine.substr(0, nameEnd));
  if (!name.empty() && name.front() == u'"') {
    name.erase(0, 1);
    if (!name.empty() && name.back() == u'"') name.pop_back();
  }
  args.push_back(name);

  size_t i = nameEnd;
  for (;;) {
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    if (i >= commandLine.size()) break;
    ustring arg;
    bool quoted = false;
    while (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) {
      size_t backslashes = 0;
      while (i < commandLine.size() && commandLine[i] == u'\\') {
        ++backslashes;
        ++i;
      }
      if (i < commandLine.size() && commandLine[i] == u'"') {
        arg.append(backslashes / 2, u'\\');
        if (backslashes % 2 == 1) {
          arg.push_back(u'"');
        } else if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == u'"') {
          arg.push_back(u'"');  // "" inside quotes is one literal quote
          ++i;
        } else {
          quoted = !quoted;
        }
        ++i;
      } else {
        arg.append(backslashes, u'\\');
        if (i < commandLine.size() && (quoted || !IsBlank(commandLine[i]))) arg.push_back(commandLine[i++]);
      }
    }
    args.push_back(arg);
  }
  return args;
}

ustring QuoteArgument(ustring_view value) {
  if (value.find_first_of(ustring_view(u"\"\0", 2)) != ustring_view::npos) return {};
  size_t trailing = 0;
  while (trailing < value.size() && value[value.size() - 1 - trailing] == u'\\') ++trailing;
  return u"\"" + ustring(value) + ustring(trailing, u'\\') + u"\"";
}

}  // namespace prn
