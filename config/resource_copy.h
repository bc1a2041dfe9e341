#pragma once
// The package's Resource folder copied into the work folder. Only the skinned
// window reads those pictures, and under Wine a copy running beside the first
// window's creation slows that window by more than the copy takes. So the copy
// is made when first needed, or on a worker once the first window is on the
// screen, whichever comes first; the clean-up that removes the folder lets a
// copy under way finish and drops one never started.

#include <future>
#include <optional>
#include <system_error>

#include "sys/files.h"
#include "text/ustring.h"

namespace prn::config {

class ResourceCopy {
 public:
  ResourceCopy() = default;
  ~ResourceCopy() { Settle(); }
  ResourceCopy(const ResourceCopy&) = delete;
  ResourceCopy& operator=(const ResourceCopy&) = delete;

  // Remembers what to copy; nothing is read yet.
  void Prepare(sys::FileSystem& files, const ustring& from, const ustring& to) {
    Settle();
    pending_ = Pending{&files, from, to};
  }

  // The copy is there for its readers whenever they look, so the calls that
  // bring it about are const: when it is made is this object's own business.

  // On a worker where the file system may be used from one, else here.
  void StartInBackground() const {
    if (!pending_) return;
    if (!pending_->files->UsableFromAnyThread()) {
      Wait();
      return;
    }
    Pending copy = TakePending();
    try {
      done_ = std::async(std::launch::async, [copy] { copy.Run(); }).share();
    } catch (const std::system_error&) {
      copy.Run();  // no thread to be had: the pictures still come
    }
  }

  // The copy is complete when this returns. A copy that fails reports
  // nothing; the skinned window then names the picture it lacks.
  void Wait() const {
    if (pending_) TakePending().Run();
    if (done_.valid()) done_.wait();
  }

  // No copy is under way when this returns.
  void Settle() {
    pending_.reset();
    if (done_.valid()) done_.wait();
  }

 private:
  struct Pending {
    sys::FileSystem* files;
    ustring from;
    ustring to;
    void Run() const { files->CopyTree(from, to); }
  };

  Pending TakePending() const {
    Pending taken = std::move(*pending_);
    pending_.reset();
    return taken;
  }

  mutable std::optional<Pending> pending_;
  mutable std::shared_future<void> done_;
};

}  // namespace prn::config
