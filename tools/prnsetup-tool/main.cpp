// prnsetup-tool: shows package authors what the installer reads from their files.
//
//   prnsetup-tool settings [--program-dir DIR] [--lang-id 0xHHHH] [--winver N] FILE
//   prnsetup-tool lang [--index N] [--lang-id 0xHHHH] FILE
//   prnsetup-tool install [--scenario FILE] [--model N] [--lang-id 0xHHHH] Setup.Ini
//   prnsetup-tool check [--json] [--lang EN|SC|TC] [--simulate] [--lang-file FILE] [PACKAGE-FOLDER]

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <vector>

#include "config/profile_file.h"
#include "text/winpath.h"
#include "tools/prnsetup-tool/commands.h"
#include "tools/prnsetup-tool/install_scenario.h"
#include "tools/prnsetup-tool/package_check.h"
#include "tools/prnsetup-tool/picture_decoder.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "sys/win32/files.h"
#include "sys/win32/text.h"
#else
#include "sim/codepage.h"
#include "sim/files.h"
#endif

namespace prn::tool {
namespace {

struct Arguments {
  ustring command;
  ustring file;
  std::optional<ustring> programDir;
  uint16_t langId = 0x0409;
  int32_t winVer = 61;
  int32_t index = 0;
  std::optional<ustring> scenario;
  int32_t model = 0;
  bool json = false;
  bool simulate = false;
  StringList languages;
  StringList langFiles;
};

constexpr char kUsage[] =
    "usage: prnsetup-tool settings [--program-dir DIR] [--lang-id 0xHHHH] [--winver N] FILE\n"
    "       prnsetup-tool lang [--index N] [--lang-id 0xHHHH] FILE\n"
    "       prnsetup-tool install [--scenario FILE] [--model N] [--lang-id 0xHHHH] Setup.Ini\n"
    "       prnsetup-tool check [--json] [--lang EN|SC|TC] [--simulate] [--lang-file FILE] [PACKAGE-FOLDER]\n";

bool IsLanguageCode(const ustring& code) { return code == u"EN" || code == u"SC" || code == u"TC"; }

std::optional<Arguments> Parse(const std::vector<ustring>& args) {
  if (args.empty()) return std::nullopt;
  Arguments parsed;
  parsed.command = args[0];
  if (parsed.command != u"settings" && parsed.command != u"lang" && parsed.command != u"install" &&
      parsed.command != u"check") {
    return std::nullopt;
  }
  const bool check = parsed.command == u"check";
  for (size_t i = 1; i < args.size(); ++i) {
    const ustring& arg = args[i];
    auto value = [&]() -> std::optional<ustring> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    auto number = [&]() -> std::optional<int32_t> {
      auto text = value();
      return text ? config::ParseProfileInteger(*text) : std::nullopt;
    };
    if (arg == u"--program-dir" && parsed.command == u"settings") {
      parsed.programDir = value();
      if (!parsed.programDir) return std::nullopt;
    } else if (arg == u"--lang-id") {
      auto n = number();
      if (!n) return std::nullopt;
      parsed.langId = static_cast<uint16_t>(*n);
    } else if (arg == u"--winver" && parsed.command == u"settings") {
      auto n = number();
      if (!n) return std::nullopt;
      parsed.winVer = *n;
    } else if (arg == u"--index" && parsed.command == u"lang") {
      auto n = number();
      if (!n) return std::nullopt;
      parsed.index = *n;
    } else if (arg == u"--scenario" && parsed.command == u"install") {
      parsed.scenario = value();
      if (!parsed.scenario) return std::nullopt;
    } else if (arg == u"--model" && parsed.command == u"install") {
      auto n = number();
      if (!n) return std::nullopt;
      parsed.model = *n;
    } else if (arg == u"--json" && check) {
      parsed.json = true;
    } else if (arg == u"--simulate" && check) {
      parsed.simulate = true;
    } else if (arg == u"--lang" && check) {
      auto code = value();
      if (!code || !IsLanguageCode(*code)) return std::nullopt;
      parsed.languages.push_back(*code);
    } else if (arg == u"--lang-file" && check) {
      auto file = value();
      if (!file) return std::nullopt;
      parsed.langFiles.push_back(*file);
    } else if (!arg.empty() && arg[0] != u'-' && parsed.file.empty()) {
      parsed.file = arg;
    } else {
      return std::nullopt;
    }
  }
  if (check) {
    if (parsed.file.empty() && parsed.langFiles.empty()) return std::nullopt;
    if (parsed.simulate && parsed.file.empty()) return std::nullopt;
    return parsed;
  }
  if (parsed.file.empty()) return std::nullopt;
  return parsed;
}

#ifdef _WIN32

int Run(const Arguments& a) {
  _setmode(_fileno(stdout), _O_BINARY);  // JSON goes out as UTF-8 bytes
  win32::Win32FileSystem files;
  win32::Win32CodePage ansi;
  ustring file = files.FullPath(a.file);
  if (a.command == u"lang") return RunLang({file, a.index, a.langId}, files, ansi, std::cout, std::cerr);
  ustring folder = files.FullPath(a.programDir ? *a.programDir : FolderPart(file));
  if (folder.empty() || folder.back() != u'\\') folder += u'\\';
  return RunSettings({file, folder, a.langId, a.winVer}, files, ansi, std::cout, std::cerr);
}

#else

// On Linux the package folder is shown to the logic as drive P: (and the
// settings file's folder as S: when it lies elsewhere), so that every path
// reads as it would on Windows.
int Run(const Arguments& a) {
  namespace fs = std::filesystem;
  fs::path file = fs::absolute(fs::path(ToUtf8(a.file))).lexically_normal();
  fs::path fileFolder = file.parent_path();
  fs::path programDir = a.programDir ? fs::absolute(fs::path(ToUtf8(*a.programDir))).lexically_normal()
                                     : fileFolder;
  if (programDir.has_filename() == false) programDir = programDir.parent_path();
  sim::SimFileSystem files(fs::temp_directory_path());
  files.Mount(u"P:", programDir);
  ustring fileDrive = u"P:";
  if (fs::weakly_canonical(fileFolder) != fs::weakly_canonical(programDir)) {
    files.Mount(u"S:", fileFolder);
    fileDrive = u"S:";
  }
  files.SetCurrentDirectory(fileDrive + u"\\");
  sim::SimCodePage ansi(AnsiCodePageFor(a.langId));
  ustring windowsFile = fileDrive + u"\\" + FromUtf8(file.filename().string());
  if (a.command == u"lang") return RunLang({windowsFile, a.index, a.langId}, files, ansi, std::cout, std::cerr);
  return RunSettings({windowsFile, u"P:\\", a.langId, a.winVer}, files, ansi, std::cout, std::cerr);
}

#endif

std::filesystem::path HostPath(const ustring& path) {
#ifdef _WIN32
  return std::filesystem::path(reinterpret_cast<const wchar_t*>(path.c_str()));
#else
  return std::filesystem::path(ToUtf8(path));
#endif
}

// The language files named on the command line, read as they are.
std::optional<std::vector<LanguageFileInput>> ReadLanguageFiles(const StringList& names) {
  std::vector<LanguageFileInput> files;
  for (const ustring& name : names) {
    std::ifstream in(HostPath(name), std::ios::binary);
    if (!in) {
      std::cerr << "cannot read the language file " << ToUtf8(name) << "\n";
      return std::nullopt;
    }
    files.push_back({name, std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())});
  }
  return files;
}

int RunCheckCommand(const Arguments& a) {
  namespace fs = std::filesystem;
  CheckOptions options;
  options.languages = a.languages;
  options.simulate = a.simulate;
  auto langFiles = ReadLanguageFiles(a.langFiles);
  if (!langFiles) return 2;
  options.langFiles = std::move(*langFiles);
  const std::unique_ptr<PictureDecoder> pictures = MakePictureDecoder();
  fs::path folder;
  if (!a.file.empty()) {
    folder = fs::absolute(HostPath(a.file)).lexically_normal();
    if (!fs::is_directory(folder)) {
      std::cerr << "no such package folder: " << ToUtf8(a.file) << "\n";
      return 2;
    }
    options.hostSetupIni = folder / "Setup.Ini";
  }
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // UTF-8 bytes as they are
  win32::Win32FileSystem files;
  win32::Win32CodePage ansi;
  if (!a.file.empty()) {
    options.package = files.FullPath(a.file);
    if (options.package->back() != u'\\') *options.package += u'\\';
  }
  const CheckEnvironment environment{&files, [&ansi](uint16_t) -> const sys::CodePage& { return ansi; },
                                     pictures.get()};
#else
  // The package is drive P: of a file system with Windows' rules.
  sim::SimFileSystem files(fs::temp_directory_path());
  if (!a.file.empty()) {
    files.Mount(u"P:", folder);
    files.SetCurrentDirectory(u"P:\\");
    options.package = u"P:\\";
  }
  std::map<uint16_t, sim::SimCodePage> codePages;
  const CheckEnvironment environment{&files,
                                     [&codePages](uint16_t languageId) -> const sys::CodePage& {
                                       return codePages.try_emplace(languageId, AnsiCodePageFor(languageId))
                                           .first->second;
                                     },
                                     pictures.get()};
#endif
  return RunCheck(options, environment, a.json, std::cout);
}

// The install scenario runs on the simulated machine on either system.
int RunInstallCommand(const Arguments& a) {
  namespace fs = std::filesystem;
  InstallOptions options;
  options.setupIni = fs::absolute(fs::path(a.file));
  if (a.scenario) options.scenario = fs::absolute(fs::path(*a.scenario));
  options.model = a.model;
  options.langId = a.langId;
  return RunInstall(options, std::cout, std::cerr);
}

}  // namespace
}  // namespace prn::tool

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<prn::ustring> args;
  for (int i = 1; i < argc; ++i) args.push_back(reinterpret_cast<const char16_t*>(argv[i]));
#else
int main(int argc, char** argv) {
  std::vector<prn::ustring> args;
  for (int i = 1; i < argc; ++i) args.push_back(prn::FromUtf8(argv[i]));
#endif
  auto parsed = prn::tool::Parse(args);
  if (!parsed) {
    std::cerr << prn::tool::kUsage;
    return 2;
  }
  if (parsed->command == u"install") return prn::tool::RunInstallCommand(*parsed);
  if (parsed->command == u"check") return prn::tool::RunCheckCommand(*parsed);
  return prn::tool::Run(*parsed);
}
