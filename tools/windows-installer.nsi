; The Windows installer: Sumbrook.exe into the user's own programs folder, a Start-menu
; shortcut, an entry in Add/Remove Programs with the program's icon, and an uninstaller that
; takes all of it away. /S installs or uninstalls silently. Built by the Windows build
; (target "installer"):
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DPROGRAM=…/Sumbrook.exe -DICON=…/sumbrook.ico
;            -DOUTFILE=…/Sumbrook-1.0.0-setup.exe windows-installer.nsi
;
; It installs for the user who runs it, without administrator rights: no UAC prompt, and
; the program that the finish page starts, like the shortcut its menu command makes, is
; that user's own, not an administrator's.
;
; It never reports a success it did not have. A running Sumbrook (its program file cannot
; be opened for writing) is asked to be closed, retry or cancel, before a file is written
; or removed; /S gives up with exit code 2 instead. A file that still cannot be removed is
; removed when the user next signs in (after a restart), and the uninstaller says so; /S
; then ends with exit code 3010, as installers do when a restart is needed.
;
; A 64-bit installer for a 64-bit program: it sees the real registry.
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "WinVer.nsh"
!include "x64.nsh"

!define PRODUCT "Sumbrook"
!define PUBLISHER "Sumbrook developers"
!define DISPLAY_NAME "Sumbrook 口算练习"
!define EXE "Sumbrook.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; Commands run once when the user next signs in: what could not be removed goes then.
!define RUNONCE_KEY "Software\Microsoft\Windows\CurrentVersion\RunOnce"
!define RUNONCE_VALUE "${PRODUCT} 卸载清理"
; Exit codes of a silent run: given up (the program kept running), and done but for what
; goes at the next restart.
!define EXIT_GAVE_UP 2
!define EXIT_RESTART_NEEDED 3010
; The name the program's own menu command gives the shortcut it puts on the desktop.
!define DESKTOP_LINK "Sumbrook.lnk"

Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
; Where per-user programs go (%LOCALAPPDATA%\Programs).
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${DISPLAY_NAME} 安装程序"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© ${PUBLISHER}"

Var unFinishTitle
Var unFinishText

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
; The header after uninstalling says whether everything went, or what waits for a restart.
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "$unFinishTitle"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "$unFinishText"
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Waits until the program file in $INSTDIR can be written, that is until no Sumbrook runs
; from it: retry or cancel. Leaves "ok" or "cancel" on the stack. The message names the
; installer or the uninstaller ($0 on entry: "安装" or "卸载").
!macro WAIT_UNTIL_CLOSED un
Function ${un}WaitUntilClosed
    Exch $0
    Push $1
    ${Do}
        ${IfNot} ${FileExists} "$INSTDIR\${EXE}"
            StrCpy $1 ok
            ${Break}
        ${EndIf}
        ClearErrors
        FileOpen $1 "$INSTDIR\${EXE}" a
        ${IfNot} ${Errors}
            FileClose $1
            StrCpy $1 ok
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} 正在运行，无法继续$0。$\r$\n$\r$\n请先关闭 ${PRODUCT}，然后点击“重试”；点击“取消”将退出$0，不做任何更改。" \
            /SD IDCANCEL IDRETRY retry
        StrCpy $1 cancel
        ${Break}
        retry:
    ${Loop}
    Exch
    Pop $0
    Exch $1
FunctionEnd
!macroend
!insertmacro WAIT_UNTIL_CLOSED ""
!insertmacro WAIT_UNTIL_CLOSED "un."

Function .onInit
    ; What Qt 6 runs on.
    ${IfNot} ${RunningX64}
    ${OrIfNot} ${AtLeastWin10}
        MessageBox MB_OK|MB_ICONSTOP "${DISPLAY_NAME} 需要 64 位的 Windows 10 或更新的 Windows。" /SD IDOK
        SetErrorLevel ${EXIT_GAVE_UP}
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext current
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext current
    ; Before the first page, so that nothing is removed while the program runs.
    Push "卸载"
    Call un.WaitUntilClosed
    Pop $0
    ${If} $0 != ok
        SetErrorLevel ${EXIT_GAVE_UP}
        Quit
    ${EndIf}
FunctionEnd

Section "Install"
    ; Before any file is written.
    Push "安装"
    Call WaitUntilClosed
    Pop $0
    ${If} $0 != ok
        DetailPrint "${PRODUCT} 仍在运行：安装已取消，没有写入任何文件。"
        SetErrorLevel ${EXIT_GAVE_UP}
        Abort
    ${EndIf}
    ; A removal left over from an uninstall that waited for a restart would take the new
    ; program away.
    DeleteRegValue HKCU "${RUNONCE_KEY}" "${RUNONCE_VALUE}"
    SetOutPath "$INSTDIR"
    File "/oname=${EXE}" "${PROGRAM}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${DISPLAY_NAME}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
        SW_SHOWNORMAL "" "${DISPLAY_NAME}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    ; "_?=" runs the uninstaller where it is: otherwise it starts a copy of itself and ends
    ; at once with exit code 0, whatever the copy then does.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" _?=$INSTDIR'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
    StrCpy $unFinishTitle "卸载已完成"
    StrCpy $unFinishText "${DISPLAY_NAME} 已从这台计算机上完全删除。"
    ; The program may have been started while the confirmation page was open.
    Push "卸载"
    Call un.WaitUntilClosed
    Pop $0
    ${If} $0 != ok
        DetailPrint "${PRODUCT} 仍在运行：卸载已取消，没有删除任何文件。"
        SetErrorLevel ${EXIT_GAVE_UP}
        Abort
    ${EndIf}
    Delete "$SMPROGRAMS\${DISPLAY_NAME}.lnk"
    ; The shortcut the program's menu command put on the desktop points at the program
    ; about to go.
    Delete "$DESKTOP\${DESKTOP_LINK}"
    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\${EXE}"
        ; Still held open by something: removed when this user next signs in. A per-user
        ; uninstaller may not schedule removals for the system's restart (that needs
        ; administrator rights), so the user's own run-once list does it.
        ClearErrors
        WriteRegStr HKCU "${RUNONCE_KEY}" "${RUNONCE_VALUE}" \
            '"$SYSDIR\cmd.exe" /d /q /c del /f /q "$INSTDIR\${EXE}" "$INSTDIR\${UNINSTALLER}" & rmdir "$INSTDIR"'
        ${If} ${Errors}
            DetailPrint "无法删除 $INSTDIR\${EXE}，也无法安排在重新启动后删除。"
            MessageBox MB_OK|MB_ICONSTOP "无法删除 $INSTDIR\${EXE}：它仍在使用中。请关闭 ${PRODUCT} 后再次运行卸载程序。" /SD IDOK
            SetErrorLevel ${EXIT_GAVE_UP}
            Abort
        ${EndIf}
        SetRebootFlag true
        StrCpy $unFinishTitle "卸载需要重新启动"
        StrCpy $unFinishText "$INSTDIR\${EXE} 仍在使用中，将在重新启动计算机后删除。"
        DetailPrint "$INSTDIR\${EXE} 仍在使用中，将在重新启动计算机后删除。"
        MessageBox MB_OK|MB_ICONINFORMATION "$INSTDIR\${EXE} 仍在使用中，无法立即删除。$\r$\n$\r$\n它将在重新启动计算机（并重新登录）后删除。" /SD IDOK
        SetErrorLevel ${EXIT_RESTART_NEEDED}
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
        ; Running where it is ("_?="): the uninstaller goes once it has ended.
        ${If} ${Silent}
            Call un.RemoveUninstallerOnceEnded
        ${EndIf}
    ${ElseIf} "$EXEDIR" != "$INSTDIR"
        ; Started as a copy of itself in a folder of its own under the temporary folder,
        ; which cannot go while it runs: it goes at the next restart where the system lets
        ; it.
        RMDir /REBOOTOK "$EXEDIR"
    ${EndIf}
SectionEnd

; A hidden command that waits (up to a minute) for the uninstaller to end, then removes it
; and the emptied folder. It works from the temporary folder: a folder that is a process's
; current one cannot be removed.
Function un.RemoveUninstallerOnceEnded
    SetOutPath "$TEMP"
    Exec '"$SYSDIR\cmd.exe" /d /q /c for /l %i in (1,1,60) do @if exist "$INSTDIR\${UNINSTALLER}" (ping -n 2 127.0.0.1 >nul & del /f /q "$INSTDIR\${UNINSTALLER}" 2>nul & rmdir "$INSTDIR" 2>nul )'
FunctionEnd

Function un.onGUIEnd
    ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    ${AndIfNot} ${FileExists} "$INSTDIR\${EXE}"
        Call un.RemoveUninstallerOnceEnded
    ${EndIf}
FunctionEnd
