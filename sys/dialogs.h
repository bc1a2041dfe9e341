#pragma once
// Message boxes.

#include <cstdint>

#include "sys/window_handle.h"
#include "text/ustring.h"

namespace prn::sys {

// Button, icon and answer values of MessageBoxW.
namespace mb {
constexpr uint32_t Ok = 0x00;
constexpr uint32_t OkCancel = 0x01;
constexpr uint32_t YesNoCancel = 0x03;
constexpr uint32_t YesNo = 0x04;
constexpr uint32_t IconError = 0x10;
constexpr uint32_t IconQuestion = 0x20;
constexpr uint32_t IconWarning = 0x30;
constexpr uint32_t IconInformation = 0x40;

constexpr int IdOk = 1;
constexpr int IdCancel = 2;
constexpr int IdYes = 6;
constexpr int IdNo = 7;
}  // namespace mb

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box and answers the button the user chose.
  virtual int ShowMessage(WindowHandle owner, const ustring& text, const ustring& caption, uint32_t flags) = 0;
};

}  // namespace prn::sys
