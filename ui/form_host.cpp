#include "ui/form_host.h"

namespace prn::ui {

std::vector<FormKind> PlanWindows(bool manager, int32_t viewMode) {
  std::vector<FormKind> plan;
  if (manager) plan.push_back(FormKind::TFormManager);
  if (SelectsSkinnedWindow(viewMode)) {
    plan.push_back(FormKind::TFormMainV2);
    plan.push_back(FormKind::TFormInstalling);
  } else {
    plan.push_back(FormKind::TFormMain);
  }
  if (!manager) plan.push_back(FormKind::TFormManager);
  for (FormKind kind : {FormKind::TFormAddNetPort, FormKind::TFormAddPort, FormKind::TFormSearching,
                        FormKind::TFormTemp}) {
    plan.push_back(kind);
  }
  return plan;
}

ustring FormClassName(FormKind kind) {
  switch (kind) {
    case FormKind::TFormMain: return u"TFormMain";
    case FormKind::TFormMainV2: return u"TFormMainV2";
    case FormKind::TFormInstalling: return u"TFormInstalling";
    case FormKind::TFormManager: return u"TFormManager";
    case FormKind::TFormAddNetPort: return u"TFormAddNetPort";
    case FormKind::TFormAddPort: return u"TFormAddPort";
    case FormKind::TFormSearching: return u"TFormSearching";
    case FormKind::TFormTemp: return u"TFormTemp";
  }
  return {};
}

}  // namespace prn::ui
