#include "trace/trace.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

namespace prn::trace {

struct Capture::State {
  mutable std::mutex mutex;
  std::vector<Line> lines;
};

namespace {

struct Sink {
  std::mutex mutex;
  std::once_flag opened;
  std::ofstream file;
  std::vector<Capture*> captures;
};

Sink& TheSink() {
  static Sink sink;
  return sink;
}

std::filesystem::path TraceFilePath() {
#ifdef _WIN32
  const wchar_t* value = _wgetenv(L"PRNSETUP_TRACE");
  return value && *value ? std::filesystem::path(value) : std::filesystem::path();
#else
  const char* value = std::getenv("PRNSETUP_TRACE");
  return value && *value ? std::filesystem::path(value) : std::filesystem::path();
#endif
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
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(millis.count()));
  return buf;
}

}  // namespace

void Emit(Line::Kind kind, ustring_view text, ustring_view tag) {
  Sink& sink = TheSink();
  std::call_once(sink.opened, [&] {
    auto path = TraceFilePath();
    if (!path.empty()) sink.file.open(path, std::ios::app | std::ios::binary);
  });
  std::lock_guard<std::mutex> lock(sink.mutex);
  for (Capture* capture : sink.captures) capture->Add(Line{kind, ustring(text), ustring(tag)});
  if (!sink.file.is_open()) return;
  std::ostringstream thread;
  thread << std::this_thread::get_id();
  const char* marker = kind == Line::Kind::Enter ? "-> " : kind == Line::Kind::Leave ? "<- " : "";
  sink.file << Timestamp() << " [" << thread.str() << "] [" << ToUtf8(tag) << "] " << marker
            << ToUtf8(text) << "\n";
  sink.file.flush();
}

void Enter(ustring_view name) { Emit(Line::Kind::Enter, name, {}); }
void Leave(ustring_view name) { Emit(Line::Kind::Leave, name, {}); }
void Message(ustring_view text, ustring_view tag) { Emit(Line::Kind::Message, text, tag); }
void Format(ustring_view pattern, std::initializer_list<FormatArg> args, ustring_view tag) {
  Emit(Line::Kind::Message, prn::Format(pattern, args), tag);
}

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
