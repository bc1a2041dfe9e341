#include "trace/trace.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

// Plain C I/O on purpose: iostreams, locale and filesystem would add hundreds
// of kilobytes to every shipped binary for a facility that is off by default.

namespace prn::trace {

struct Capture::State {
  mutable std::mutex mutex;
  std::vector<Line> lines;
};

namespace {

class TraceFile {
 public:
  TraceFile() = default;
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;
  ~TraceFile() {
    if (file_) std::fclose(file_);
  }

  void OpenFromEnvironment() { file_ = OpenTraceDestination(); }
  std::FILE* get() const { return file_; }

 private:
  std::FILE* file_ = nullptr;
};

struct Sink {
  std::mutex mutex;
  std::once_flag opened;
  TraceFile file;
  std::vector<Capture*> captures;
};

Sink& TheSink() {
  static Sink sink;
  return sink;
}

// Threads are numbered in the order they first trace: short, stable within a
// run, and the same on every platform.
unsigned ThreadNumber() {
  static std::atomic<unsigned> next{1};
  thread_local unsigned number = next++;
  return number;
}

// Digits by hand: printf would bring the C runtime's whole float formatter.
void AppendNumber(std::string& out, unsigned value, int width) {
  char digits[12];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0 && count < 12);
  for (int pad = count; pad < width; ++pad) out += '0';
  while (count > 0) out += digits[--count];
}

std::string Timestamp() {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()) % 1000;
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  std::string out;
  AppendNumber(out, static_cast<unsigned>(local.tm_year + 1900), 4);
  out += '-';
  AppendNumber(out, static_cast<unsigned>(local.tm_mon + 1), 2);
  out += '-';
  AppendNumber(out, static_cast<unsigned>(local.tm_mday), 2);
  out += ' ';
  AppendNumber(out, static_cast<unsigned>(local.tm_hour), 2);
  out += ':';
  AppendNumber(out, static_cast<unsigned>(local.tm_min), 2);
  out += ':';
  AppendNumber(out, static_cast<unsigned>(local.tm_sec), 2);
  out += '.';
  AppendNumber(out, static_cast<unsigned>(millis.count()), 3);
  return out;
}

}  // namespace

void Emit(Line::Kind kind, ustring_view text, ustring_view tag) {
  Sink& sink = TheSink();
  std::call_once(sink.opened, [&] { sink.file.OpenFromEnvironment(); });
  std::lock_guard<std::mutex> lock(sink.mutex);
  for (Capture* capture : sink.captures) capture->Add(Line{kind, ustring(text), ustring(tag)});
  std::FILE* file = sink.file.get();
  if (!file) return;
  const char* marker = kind == Line::Kind::Enter ? "-> " : kind == Line::Kind::Leave ? "<- " : "";
  std::string line = Timestamp();
  line += " [";
  AppendNumber(line, ThreadNumber(), 1);
  line += "] [";
  line += ToUtf8(tag);
  line += "] ";
  line += marker;
  line += ToUtf8(text);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), file);
  std::fflush(file);
}

void Enter(ustring_view name) { Emit(Line::Kind::Enter, name, {}); }
void Leave(ustring_view name) { Emit(Line::Kind::Leave, name, {}); }
void Message(ustring_view text, ustring_view tag) { Emit(Line::Kind::Message, text, tag); }
void Format(ustring_view pattern, std::initializer_list<FormatArg> args, ustring_view tag) {
  Emit(Line::Kind::Message, prn::Format(pattern, args), tag);
}

#ifndef _WIN32
// The tools and tests on Linux run with the user's own rights: the file the
// variable names is theirs to choose.
std::FILE* OpenTraceDestination() {
  const char* path = std::getenv("PRNSETUP_TRACE");
  return path && *path ? std::fopen(path, "ab") : nullptr;
}
#endif

Capture::Capture() : state_(std::make_unique<State>()) {
  Sink& sink = TheSink();
  std::lock_guard<std::mutex> lock(sink.mutex);
  sink.captures.push_back(this);
}

Capture::~Capture() {
  {
    Sink& sink = TheSink();
    std::lock_guard<std::mutex> lock(sink.mutex);
    sink.captures.erase(std::remove(sink.captures.begin(), sink.captures.end(), this),
                        sink.captures.end());
  }
}

void Capture::Add(const Line& line) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->lines.push_back(line);
}

std::vector<Line> Capture::Lines() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->lines;
}

bool Capture::Contains(ustring_view text) const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return std::any_of(state_->lines.begin(), state_->lines.end(), [&](const Line& line) {
    return line.kind == Line::Kind::Message && line.text.find(text) != ustring::npos;
  });
}

}  // namespace prn::trace
