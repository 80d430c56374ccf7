; The Windows installer of Quorlen and Brasset, in Simplified Chinese.
;
; It installs for the user who runs it, without administrator rights, into
; that user's own programs folder, and gives both programs shortcuts that
; start them in "Documents\Tavrin": Quorlen keeps default.txt in the folder
; it is started from, so a plan is saved where the user may write and finds
; it again. Uninstalling removes what the installer put there and nothing
; else: the plans and exports in Documents\Tavrin stay.
;
; scripts/windows-build.sh runs makensis with VERSION, OUTFILE, BUILD (the
; Windows build folder) and FILES (the read-me and the license texts that go
; beside the programs).
; A 64-bit installer, as the programs are: it runs where they run.
Target amd64-unicode
!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrin"
!define WORK_FOLDER "$DOCUMENTS\Tavrin"
!define QUORLEN "Quorlen 座位编排"
!define BRASSET "Brasset 考场编排"

Name "Tavrin ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Tavrin"
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "Tavrin 开发组"

!define MUI_ICON "${BUILD}\seating\quorlen.ico"
!define MUI_UNICON "${BUILD}\seating\quorlen.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "安装 Tavrin ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Tavrin 包括两个程序：$\r$\n$\r$\n\
    · Quorlen：教室座位编排$\r$\n\
    · Brasset：考场编排$\r$\n$\r$\n\
    程序只为你自己安装，不需要管理员权限。座位表 default.txt 和导出的文件保存在“文档\Tavrin”文件夹中，卸载时不会删除。$\r$\n$\r$\n\
    单击“下一步”继续。"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "运行 ${QUORLEN}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartQuorlen
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Tavrin"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Tavrin 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "Tavrin 开发组"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "© Tavrin 开发组，GPL-3.0-or-later"

Section "Quorlen 与 Brasset（必需）" Programs
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${BUILD}\seating\quorlen.exe"
    File "${BUILD}\rooms\brasset.exe"
    ; The command line from a console: "brasset --exam ..." runs brasset.com.
    File "${BUILD}\rooms\brasset.com"
    File /r "${FILES}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; A shortcut starts its program in the folder that is $OUTDIR when it is made.
    CreateDirectory "${WORK_FOLDER}"
    SetOutPath "${WORK_FOLDER}"
    CreateDirectory "$SMPROGRAMS\Tavrin"
    CreateShortCut "$SMPROGRAMS\Tavrin\${QUORLEN}.lnk" "$INSTDIR\quorlen.exe"
    CreateShortCut "$SMPROGRAMS\Tavrin\${BRASSET}.lnk" "$INSTDIR\brasset.exe"
    CreateShortCut "$SMPROGRAMS\Tavrin\卸载 Tavrin.lnk" "$INSTDIR\uninstall.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tavrin ${VERSION}（Quorlen 与 Brasset）"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tavrin 开发组"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quorlen.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "桌面快捷方式" Desktop
    SetOutPath "${WORK_FOLDER}"
    CreateShortCut "$DESKTOP\${QUORLEN}.lnk" "$INSTDIR\quorlen.exe"
    CreateShortCut "$DESKTOP\${BRASSET}.lnk" "$INSTDIR\brasset.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${Programs} "两个程序和开始菜单中的快捷方式。"
    !insertmacro MUI_DESCRIPTION_TEXT ${Desktop} "在桌面上放两个程序的快捷方式。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function StartQuorlen
    SetOutPath "${WORK_FOLDER}"
    Exec '"$INSTDIR\quorlen.exe"'
FunctionEnd

; Only what the installer wrote, by name: the folder itself goes only when it
; is empty, so that a plan saved beside the programs is never lost.
Section "Uninstall"
    Delete "$INSTDIR\quorlen.exe"
    Delete "$INSTDIR\brasset.exe"
    Delete "$INSTDIR\brasset.com"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    RMDir /r "$INSTDIR\licenses"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Tavrin\${QUORLEN}.lnk"
    Delete "$SMPROGRAMS\Tavrin\${BRASSET}.lnk"
    Delete "$SMPROGRAMS\Tavrin\卸载 Tavrin.lnk"
    RMDir "$SMPROGRAMS\Tavrin"
    Delete "$DESKTOP\${QUORLEN}.lnk"
    Delete "$DESKTOP\${BRASSET}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
