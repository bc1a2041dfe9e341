#include "config/lang_options.h"

#include "sys/files.h"
#include "text/ascii.h"

namespace prn::config {

namespace {
constexpr char16_t kMissing[] = u"32769";  // marks a control key that is absent
}

ustring ReplaceLineBreaks(ustring_view text) {
  ustring out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (i + 3 < text.size() && text[i] == u'\\' && AsciiUpper(text[i + 1]) == u'R' && text[i + 2] == u'\\' &&
        AsciiUpper(text[i + 3]) == u'N') {
      out += u"\r\n";
      i += 3;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

void TLangOptions::LoadFromFile(const ustring& fileName, const TInstallInfos& settings,
                                const sys::FileSystem& files, const sys::CodePage& ansi) {
  Open(fileName, files, ansi);
  LoadSettings(settings);
}

void TLangOptions::Open(const ustring& fileName, const sys::FileSystem& files, const sys::CodePage& ansi) {
  if (files.FileExists(fileName)) m_Ini = ProfileFile::Load(files, fileName, ansi);
}

void TLangOptions::LoadSettings(const TInstallInfos& settings) {
  if (!m_Ini) return;
  LoadSettings(settings.GetInfoItem(0).Index);
}

void TLangOptions::LoadSettings(int32_t entryIndex) {
  if (!m_Ini) return;
  strInstaller_.CompanyIndex =
      entryIndex != 0 ? entryIndex : m_Ini->ReadInteger(u"Settings", u"OEMCOmpanyIndex", 1);
  LoadGlobalStrings();
}

ustring TLangOptions::GetOptionString(ustring_view sectionName, ustring_view itemName,
                                      ustring_view defaultValue) const {
  if (!m_Ini) return {};
  ustring branded = ustring(itemName) + u"." + strInstaller_.OEMManufactor;
  ustring value = m_Ini->ReadString(sectionName, branded, u"");
  if (value.empty()) value = m_Ini->ReadString(sectionName, itemName, defaultValue);
  return value;
}

void TLangOptions::LoadGlobalStrings() {
  ustring n = ToDecimal(strInstaller_.CompanyIndex);
  auto brand = [&](const char16_t* key, const char16_t* def) {
    return GetOptionString(u"OEMCOmpany", ustring(key) + u"." + n, def);
  };
  strInstaller_.OEMManufactor = brand(u"Name", u"");
  if (strInstaller_.OEMManufactor.empty()) strInstaller_.OEMManufactor = u"___";
  strInstaller_.OEMBMLogo = brand(u"Logo", u"BM_LOGO_PELLNOR");
  strInstaller_.OEMLogoUrl = brand(u"LogoURL", u"");
  strInstaller_.OEMColor = brand(u"Color", u"800080");
  strInstaller_.OEMMainTitle = brand(u"MainTitle", u"");

  size_t count = 0;
  const DialogTextField* fields = DialogTextFields(count);
  for (size_t i = 0; i < count; ++i) {
    ustring value = GetOptionString(u"DialogText", FromAscii(fields[i].key), fields[i].defaultValue);
    strInstaller_.*(fields[i].field) = fields[i].breaks ? ReplaceLineBreaks(value) : value;
  }
}

void TLangOptions::LoadControlsCaption(FormDescription& form, ustring_view sectionName) const {
  form.caption = GetOptionString(sectionName, u"ProgramTitle", u"");
  for (auto& control : form.components) {
    ustring value = GetOptionString(sectionName, control.name + u"." + strInstaller_.OEMManufactor, kMissing);
    if (value == kMissing) value = GetOptionString(sectionName, control.name, kMissing);
    if (value == kMissing || control.kind == ControlClass::NonVisual) continue;
    switch (control.kind) {
      case ControlClass::Button:
      case ControlClass::BitmapButton:
      case ControlClass::Label:
      case ControlClass::CheckBox:
        control.caption = value;
        break;
      case ControlClass::TabSheet:
        if (value.empty()) control.visible = false;
        else control.caption = value;
        break;
      case ControlClass::Edit:
        control.text = value;
        control.hint = value;
        break;
      case ControlClass::GroupBox:
        control.caption = value;
        control.hint = value;
        break;
      default:
        break;
    }
  }
}

void TLangOptions::LoadMenuCaption(MenuDescription& menu, ustring_view sectionName) const {
  for (size_t i = menu.items.size(); i-- > 0;) {
    auto& item = menu.items[i];
    if (item.caption == u"-") continue;
    ustring value = GetOptionString(sectionName, item.name, u"");
    if (value.empty()) menu.items.erase(menu.items.begin() + static_cast<long>(i));
    else item.caption = value;
  }
}

}  // namespace prn::config
