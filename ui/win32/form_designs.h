#pragma once
// Caption and size of each window as designed, for the frames that stand in
// until a window gets its own view.

#include "app/window_plan.h"

namespace prn::ui {

struct FormDesign {
  const wchar_t* caption;
  int width;
  int height;
  bool clientSize;  // the size is the client area, not the outer frame
};

FormDesign DesignOf(app::FormKind kind);

}  // namespace prn::ui
