#pragma once
// Diagnostic trace. Silent unless the environment variable PRNSETUP_TRACE names
// a file; then every line goes as UTF-8 with time, thread id and tag to that
// file, or, in an elevated process on Windows, to a new file in a folder that
// only administrators may change (trace/win32/trace_destination.cpp).

#include <cstdio>
#include <initializer_list>
#include <memory>
#include <vector>

#include "text/format.h"
#include "text/ustring.h"

namespace prn::trace {

void Enter(ustring_view name);
void Leave(ustring_view name);
void Message(ustring_view text, ustring_view tag = {});
void Format(ustring_view pattern, std::initializer_list<FormatArg> args, ustring_view tag = {});

// Traces leave when the scope ends, however it ends.
class Scope {
 public:
  explicit Scope(ustring_view name) : name_(name) { Enter(name_); }
  ~Scope() { Leave(name_); }
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;

 private:
  ustring name_;
};

struct Line {
  enum class Kind { Enter, Leave, Message } kind;
  ustring text;
  ustring tag;
};

// Collects every trace line of every thread while it lives (for tests).
class Capture {
 public:
  Capture();
  ~Capture();
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  std::vector<Line> Lines() const;
  // True when some message line contains `text`.
  bool Contains(ustring_view text) const;

 private:
  friend void Emit(Line::Kind, ustring_view, ustring_view);
  void Add(const Line& line);
  struct State;
  std::unique_ptr<State> state_;
};

// Where the trace goes once PRNSETUP_TRACE turns it on: the file to append
// to, or null (no trace). Asked once per process. Each platform has its own
// answer (trace/win32, trace.cpp elsewhere); the trace itself only writes.
std::FILE* OpenTraceDestination();

}  // namespace prn::trace
