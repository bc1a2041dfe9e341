// The settings file: parsed as the profile reader reads it, then every entry
// loaded against the example package (so relative folders and INFs resolve).

#include "config/install_infos.h"
#include "fuzz_input.h"
#include "text/error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prn;
  sim::Machine& machine = fuzz::FuzzMachine();
  // The first byte picks the system: code page, language and Windows version.
  static constexpr unsigned kCodePages[] = {1252, 936, 950};
  static constexpr int32_t kVersions[] = {51, 60, 61, 62, 100};
  uint8_t pick = size ? data[0] : 0;
  machine.codePage.SetId(kCodePages[pick % 3]);
  auto ini = config::ProfileFile::Parse(std::string(reinterpret_cast<const char*>(data), size), machine.codePage);
  const uint16_t langId = pick & 1 ? 0x0804 : 0x0409;
  config::SettingsEnvironment env{&machine.files, &machine.codePage, u"P:\\", langId, kVersions[(pick >> 2) % 5]};
  config::TInstallInfos settings;
  try {
    settings.LoadSettings(&ini, env);
  } catch (const Error&) {
    // A faulty entry is reported by a raised text; the entries before it stay.
  }
  for (int i = 0; i < settings.GetCount(); ++i) (void)settings.GetInfoItem(i);
  return 0;
}
