// The language file: brand row choice, the global texts and the captions of
// a form and a menu.

#include "config/lang_options.h"
#include <cstdlib>

#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  sim::Machine& machine = fuzz::FuzzMachine();
  const ustring file = ustring(fuzz::kFuzzFolder) + u"\\Strings.ini";
  if (machine.files.WriteFile(file, std::string(reinterpret_cast<const char*>(data), size)) != 0) std::abort();

  config::TStrInstaller texts;
  config::TLangOptions lang(texts);
  lang.Open(file, machine.files, machine.codePage);
  if (!lang.HasFile()) std::abort();
  // The first byte stands for the brand row that settings entry 0 asks for.
  lang.LoadSettings(size ? static_cast<int8_t>(data[0]) : 0);

  config::FormDescription form;
  for (auto kind : {config::ControlClass::Button, config::ControlClass::Label, config::ControlClass::Edit,
                    config::ControlClass::TabSheet, config::ControlClass::NonVisual}) {
    form.components.push_back({u"Control" + ToDecimal(static_cast<int>(kind)), kind, u"c", u"t", u"h", true});
  }
  lang.LoadControlsCaption(form, u"TFormMain");
  config::MenuDescription menu{{{u"miFile", u"File"}, {u"miSep", u"-"}}};
  lang.LoadMenuCaption(menu, u"TFormMain");
  (void)config::ReplaceLineBreaks(texts.InstallSuccessStr);
  return 0;
}
