#include "install/install_context.h"

#include "config/process_values.h"

namespace prn::install {

void TakeStartupValues(InstallContext& context, const config::ProcessValues& values) {
  context.m_strInst2kDll = values.g_strInst2kDll;
  context.m_strInst2k64Dll = values.g_strInst2k64Dll;
  context.m_strPrnSetup64Exe = values.g_strPrnSetup64Exe;
  context.m_iWinVer = values.g_iWinVer;
  context.m_bWow64 = values.g_bWow64;
}

}  // namespace prn::install
