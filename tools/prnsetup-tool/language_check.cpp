// Language files as the installer reads them: its own lookups (the brand's
// key first) find every text, caption and menu item the windows show, and
// each text holds the placeholders the installer fills in.

#include <algorithm>
#include <string_view>

#include "config/lang_options.h"
#include "config/str_installer.h"
#include "text/format.h"
#include "tools/prnsetup-tool/check_parts.h"
#include "ui/form_add_net_port.h"
#include "ui/form_manager.h"
#include "ui/installer/form_main.h"

namespace prn::tool {

std::string_view EmbeddedFile(std::string_view name);  // generated from the language files

namespace {

// No text of the files is this, so a lookup that answers it found nothing.
constexpr char16_t kAbsent[] = u"\x01absent";
constexpr char16_t kBrandKeys[][10] = {u"Name", u"Logo", u"LogoURL", u"MainTitle", u"Color"};

bool HasBrandRow(const config::ProfileFile& file, int32_t row) {
  for (const char16_t* key : kBrandKeys) {
    if (file.Find(u"OEMCOmpany", ustring(key) + u"." + ToDecimal(row))) return true;
  }
  return false;
}

ustring Quoted(const StringList& placeholders) {
  ustring text;
  for (const ustring& p : placeholders) text += u"%" + p;
  return text.empty() ? u"none" : u"“" + text + u"”";
}

void CheckPlaceholders(const CheckContext& check, const Place& place, const char* key, const ustring& text) {
  StringList found = PatternPlaceholders(text);
  const size_t before = found.size();
  found.erase(std::remove(found.begin(), found.end(), ustring()), found.end());
  if (found.size() != before) {
    check.findings.Warning(place, u"has a “%” that begins no placeholder; it shows as written (a percent sign is "
                                  u"written “%%”).");
  }
  const config::DialogTextPattern* pattern = config::FindDialogTextPattern(key);
  if (!pattern) {
    if (!found.empty()) {
      check.findings.Warning(place, u"has the placeholders " + Quoted(found) +
                                        u", which show as written: the installer fills nothing into this text.");
    }
    return;
  }
  if (found != PatternPlaceholders(pattern->placeholders)) {
    check.findings.Error(place, u"has the placeholders " + Quoted(found) + u" where the installer fills in " +
                                    pattern->values + u" (" + Quoted(PatternPlaceholders(pattern->placeholders)) +
                                    u"); the message loses or garbles them.");
  }
}

void CheckDialogTexts(const CheckContext& check, const Place& file, const config::TLangOptions& lang,
                      const config::TStrInstaller& texts) {
  size_t count = 0;
  const config::DialogTextField* fields = config::DialogTextFields(count);
  for (size_t i = 0; i < count; ++i) {
    const config::DialogTextField& field = fields[i];
    const Place place{file.file, u"DialogText", FromAscii(field.key)};
    if (lang.GetOptionString(u"DialogText", place.key, kAbsent) == kAbsent) {
      check.findings.Warning(place, *field.defaultValue
                                        ? u"is missing; the installer shows “" + ustring(field.defaultValue) + u"”."
                                        : u"is missing; the installer shows an empty text.");
      continue;
    }
    CheckPlaceholders(check, place, field.key, texts.*(field.field));
  }
}

// A caption-bearing control whose key is missing keeps its designed
// caption; one the program fills itself has none designed.
void CheckCaptions(const CheckContext& check, const Place& file, const config::TLangOptions& lang,
                   const config::FormDescription& design, const char16_t* section) {
  if (lang.GetOptionString(section, u"ProgramTitle", kAbsent) == kAbsent) {
    check.findings.Warning({file.file, section, u"ProgramTitle"}, u"is missing; the window has no title.");
  }
  config::FormDescription probe = design;
  for (auto& control : probe.components) control.caption = control.text = kAbsent;
  lang.LoadControlsCaption(probe, section);
  for (size_t i = 0; i < design.components.size(); ++i) {
    const config::ControlDescription& designed = design.components[i];
    const config::ControlDescription& read = probe.components[i];
    if (designed.kind == config::ControlClass::Other || designed.kind == config::ControlClass::NonVisual) continue;
    const bool edit = designed.kind == config::ControlClass::Edit;
    const ustring& caption = edit ? designed.text : designed.caption;
    if (caption.empty() || (edit ? read.text : read.caption) != kAbsent || !read.visible) continue;
    check.findings.Warning({file.file, section, designed.name},
                           u"is missing; the control keeps its designed caption “" + caption + u"”.");
  }
}

void CheckMenu(const CheckContext& check, const Place& file, const config::TLangOptions& lang) {
  constexpr char16_t kSection[] = u"Controls.Manager.pmPrinterOperate";
  const config::MenuDescription design = ui::ManagerMenuDesign();
  config::MenuDescription read = design;
  lang.LoadMenuCaption(read, kSection);
  for (const auto& item : design.items) {
    const bool kept = std::any_of(read.items.begin(), read.items.end(),
                                  [&](const config::MenuItemDescription& r) { return r.name == item.name; });
    if (kept) continue;
    check.findings.Warning({file.file, kSection, item.name},
                           u"is missing or empty; the manager's printer menu loses this item.");
  }
}

}  // namespace

void CheckLanguageFile(const CheckContext& check, const Place& place, const std::string& bytes,
                       const sys::CodePage& ansi, int32_t row) {
  CheckEncoding(check, place, bytes, false);
  config::ProfileFile file = config::ProfileFile::Parse(bytes, ansi);
  if (row == 0) row = file.ReadInteger(u"Settings", u"OEMCOmpanyIndex", 1);
  if (!HasBrandRow(file, row)) {
    check.findings.Error({place.file, u"OEMCOmpany", {}},
                         Format(u"has no brand row %d; the installer shows the brand “___” with the default logo "
                                u"and colour.", {row}));
  }
  config::TStrInstaller texts;
  config::TLangOptions lang(texts);
  lang.Open(std::move(file));
  lang.LoadSettings(row);
  CheckDialogTexts(check, place, lang, texts);
  CheckCaptions(check, place, lang, ui::FormMainDesign(), u"Controls.Installer");
  CheckCaptions(check, place, lang, ui::ManagerFormDesign(), u"Controls.Manager");
  CheckCaptions(check, place, lang, ui::AddNetPortFormDesign(), u"Controls.AddPort");
  CheckMenu(check, place, lang);
}

void CheckBuiltInLanguageFile(const CheckContext& check, const PackageSettings& settings) {
  const CheckLanguage& language = *settings.language;
  const std::string_view embedded = EmbeddedFile(language.builtInFile);
  const std::string bytes(embedded);
  const Place place{u"built-in " + language.builtInName};
  const bool indexed = settings.file && !settings.entries.empty() && settings.entries[0].index == 0 &&
                       settings.entries[0].info.Index != 0;
  const int32_t row = indexed ? settings.entries[0].info.Index : 0;
  if (indexed && !HasBrandRow(config::ProfileFile::Parse(bytes, check.CodePage(language)), row)) {
    const PackageEntry& first = settings.entries[0];
    check.findings.Error(check.SettingsPlace(first.section, u"Index"),
                         Format(u"%d asks for brand row %d, which the %s language file does not have; the installer "
                                u"shows the brand “___” with the default logo and colour.",
                                {settings.file->ReadInteger(first.section, u"Index", 0), row, language.name}));
    return;
  }
  CheckLanguageFile(check, place, bytes, check.CodePage(language), row);
}

}  // namespace prn::tool
