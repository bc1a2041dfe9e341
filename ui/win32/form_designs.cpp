#include "ui/win32/form_designs.h"

namespace prn::ui {

FormDesign DesignOf(app::FormKind kind) {
  using app::FormKind;
  switch (kind) {
    case FormKind::TFormMain: return {L"FormMain", 600, 469, true};
    case FormKind::TFormMainV2: return {L"FormMainV2", 800, 600, true};
    case FormKind::TFormInstalling: return {L"FormInstalling", 322, 40, false};
    case FormKind::TFormManager: return {L"FormManager", 556, 420, false};
    case FormKind::TFormAddNetPort: return {L"FormAddNetPort", 330, 190, false};
    case FormKind::TFormAddPort: return {L"FormAddPort", 330, 190, false};
    case FormKind::TFormSearching: return {L"FormSearching", 369, 229, false};
    case FormKind::TFormTemp: return {L"FormTemp", 711, 498, false};
  }
  return {L"Form", 400, 300, false};
}

}  // namespace prn::ui
