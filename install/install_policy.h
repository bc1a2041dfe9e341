#pragma once
// The few points where the two windows that host an install run differ.
// Everything else about a run is the same for both.

#include "install/staging_context.h"

namespace prn::install {

enum class InstallHost { ClassicWindow, ProgressWindow };

struct InstallPolicy {
  InstallHost host = InstallHost::ClassicWindow;
  // Classic: the system-store copy of the INF; progress window: the staged copy.
  InfChoice infChoice = InfChoice::SystemStoreCopy;
  // A failed staging tells the user "cancelled" (classic) or just ends (progress window).
  bool stagingFailureReported = true;
  // The entry's DefaultForm reaches the new queue only from the classic window.
  bool appliesDefaultForm = true;
  // The classic window formats the success text only when it has a "%s".
  bool formatsSuccessTextAlways = false;
  // Trace of an unexpected detection result: hexadecimal or decimal.
  bool detectionCodeInHex = true;
  // The classic window takes the 64-bit host's 0x401/0x402; the progress
  // window maps no message and learns of the host only from its end.
  bool takesHostMessages = true;

  static InstallPolicy Classic() { return {}; }
  static InstallPolicy ProgressWindow() {
    InstallPolicy policy;
    policy.host = InstallHost::ProgressWindow;
    policy.infChoice = InfChoice::StagedCopy;
    policy.stagingFailureReported = false;
    policy.appliesDefaultForm = false;
    policy.formatsSuccessTextAlways = true;
    policy.detectionCodeInHex = false;
    policy.takesHostMessages = false;
    return policy;
  }
};

}  // namespace prn::install
