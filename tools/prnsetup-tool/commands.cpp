#include "tools/prnsetup-tool/commands.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <type_traits>

#include "config/install_infos.h"
#include "config/lang_options.h"
#include "sys/files.h"
#include "text/error.h"

namespace prn::tool {

namespace {

template <typename Record>
nlohmann::ordered_json ToJson(const Record& record) {
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  config::VisitFields(record, [&](const char* name, const auto& value) {
    using T = std::decay_t<decltype(value)>;
    if constexpr (std::is_same_v<T, ustring>) object[name] = ToUtf8(value);
    else object[name] = value;
  });
  return object;
}

}  // namespace

unsigned AnsiCodePageFor(uint16_t langId) {
  switch (langId) {
    case 0x0804: case 0x1004: return 936;
    case 0x0404: case 0x0C04: case 0x1404: return 950;
    default: return 1252;
  }
}

int RunSettings(const SettingsOptions& options, const sys::FileSystem& files, const sys::CodePage& ansi,
                std::ostream& out, std::ostream& err) {
  if (!files.FileExists(options.file)) {
    err << "no such settings file: " << ToUtf8(options.file) << "\n";
    return 1;
  }
  config::SettingsEnvironment env{&files, &ansi, options.programFolder, options.langId, options.winVer};
  config::TInstallInfos infos;
  try {
    infos.LoadFromFile(options.file, env);
  } catch (const Error& e) {
    err << ToUtf8(e.Text()) << "\n";
    return 1;
  }
  nlohmann::ordered_json entries = nlohmann::ordered_json::array();
  for (int i = 0; i < infos.GetCount(); ++i) entries.push_back(ToJson(infos.GetInfoItem(i)));
  out << entries.dump(2) << "\n";
  return 0;
}

int RunLang(const LangOptions& options, const sys::FileSystem& files, const sys::CodePage& ansi,
            std::ostream& out, std::ostream& err) {
  if (!files.FileExists(options.file)) {
    err << "no such language file: " << ToUtf8(options.file) << "\n";
    return 1;
  }
  config::TStrInstaller strInstaller;
  config::TLangOptions lang(strInstaller);
  lang.Open(options.file, files, ansi);
  lang.LoadSettings(options.index);
  out << ToJson(strInstaller).dump(2) << "\n";
  return 0;
}

}  // namespace prn::tool
