; The first-paint benchmark's peer: the installer a printer maker would
; build with NSIS for the example package instead of using PrnSetup.exe.
; Modern UI 2, its first page a components page with the package's two
; models and their descriptions, in English, Simplified and Traditional
; Chinese. The sections do what a small driver installer does: stage the
; chosen model's driver folder and register its INF.
;   makensis -DOUTFILE=<exe> -DTARGET=<x86-unicode|amd64-unicode> peer_installer.nsi

Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif
!include "MUI2.nsh"

Name "Quillon QX"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES\Quillon\QX"
ShowInstDetails show

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "TradChinese"

LangString DescQX1 ${LANG_ENGLISH} "Quillon QX1: 24-pin flatbed dot-matrix printer, 110 columns"
LangString DescQX1 ${LANG_SIMPCHINESE} "Quillon QX1：24 针平推式票据打印机，110 列"
LangString DescQX1 ${LANG_TRADCHINESE} "Quillon QX1：24 針平推式點陣印表機，110 欄"
LangString DescQX5 ${LANG_ENGLISH} "Quillon QX5: 24-pin flatbed dot-matrix printer, 136 columns"
LangString DescQX5 ${LANG_SIMPCHINESE} "Quillon QX5：24 针平推式票据打印机，136 列"
LangString DescQX5 ${LANG_TRADCHINESE} "Quillon QX5：24 針平推式點陣印表機，136 欄"

!macro StageModel FOLDER INF
  SetOutPath "$INSTDIR\${FOLDER}"
  CopyFiles /SILENT "$EXEDIR\${FOLDER}\*.*" "$INSTDIR\${FOLDER}"
  ExecWait '"$SYSDIR\pnputil.exe" -a "$INSTDIR\${FOLDER}\${INF}"'
!macroend

Section "Quillon QX1" SectionQX1
  !insertmacro StageModel QX1 QX1.INF
SectionEnd

Section /o "Quillon QX5" SectionQX5
  !insertmacro StageModel QX5 QX5.INF
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionQX1} $(DescQX1)
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionQX5} $(DescQX5)
!insertmacro MUI_FUNCTION_DESCRIPTION_END
