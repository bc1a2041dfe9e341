#pragma once
// The two ways an install run ends: the success handler finds and configures
// the new print queue and tells the user; the failure handler turns the
// run's code into a message and may ask for another run.

#include <cstdint>

#include "install/install_services.h"

namespace prn::install {

// A new run the failure handler asks for: with or without the question
// before it, or at once without the user having been asked at all.
enum class Retry { None, WithPrompt, WithoutPrompt, Automatic };

// The queue the success handler configured and reported ("" when it found none).
struct InstalledQueue {
  ustring printer;
  ustring port;
};

InstalledQueue InstallSuccPrompt(const InstallServices& run);
Retry InstallFailPrompt(const InstallServices& run, uint32_t code);

}  // namespace prn::install
