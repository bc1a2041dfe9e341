#pragma once
// The package's Resource folder copied into the work folder. Only the skinned
// window reads those pictures, so where the file system may be used from a
// second thread the copy runs on one while the first window is made; whoever
// reads the copy, and the clean-up that removes it, waits for it first.

#include <future>

#include "sys/files.h"
#include "text/ustring.h"

namespace prn::app {

class ResourceCopy {
 public:
  ResourceCopy() = default;
  // Waits for a copy still under way: the folder is not removed under it.
  ~ResourceCopy() { Wait(); }
  ResourceCopy(const ResourceCopy&) = delete;
  ResourceCopy& operator=(const ResourceCopy&) = delete;

  // A copy that fails reports nothing; the skinned window then names the
  // picture it lacks.
  void Start(sys::FileSystem& files, const ustring& from, const ustring& to) {
    Wait();
    auto copy = [&files, from, to] { files.CopyTree(from, to); };
    if (!files.UsableFromAnyThread()) {
      copy();
      return;
    }
    done_ = std::async(std::launch::async, copy).share();
  }

  void Wait() const {
    if (done_.valid()) done_.wait();
  }

 private:
  std::shared_future<void> done_;
};

}  // namespace prn::app
