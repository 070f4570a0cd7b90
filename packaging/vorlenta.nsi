; The per-user setup of Vorlenta. makensis is given:
;   VERSION   the project's version, e.g. 1.0.0
;   FLAVOUR   win32 or win64
;   BINDIR    the folder that holds Vorlenta.scr and Vorlenta.dll
;   OUTFILE   the setup program to write
;   LICENSE   the licence's text, shown before anything is installed
;   SIGNER    optional: a script that signs a program in place (scripts/sign.sh); the
;             uninstaller is signed before it goes in, the setup program once it is made
;
; It installs for the current user without administrator rights, into a folder the user can
; write, because the screen saver keeps its settings file beside itself.

Unicode true
!if "${FLAVOUR}" == "win64"
    Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlenta"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SHORTCUT "$SMPROGRAMS\Vorlenta settings.lnk"

Name "Vorlenta ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Vorlenta"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Vorlenta"
VIAddVersionKey "FileDescription" "Vorlenta setup"
VIAddVersionKey "FileVersion" "${VERSION}.0"
VIAddVersionKey "ProductVersion" "${VERSION}.0"
VIAddVersionKey "CompanyName" "Vorlenta"
VIAddVersionKey "LegalCopyright" "Copyright (C) 2026 The Vorlenta authors"

!ifdef SIGNER
    !uninstfinalize 'bash "${SIGNER}" "%1"'
    !finalize 'bash "${SIGNER}" "%1"'
!endif

LicenseData "${LICENSE}"
Page license
Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Upgrading over an earlier install replaces the two programs and nothing else, so the user's
; Vorlenta.ini beside them stays as it is.
Section "Vorlenta" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${BINDIR}\Vorlenta.scr"
    File "${BINDIR}\Vorlenta.dll"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vorlenta"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vorlenta"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vorlenta.scr,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; The screen-saver setting names the program by its short path, as the display settings do.
; Windows reads the registry's switch only at the next sign-in, so it is also told at once
; (SPI_SETSCREENSAVEACTIVE, saved and announced): a user who had "(None)" chosen gets the
; screen saver without signing out.
Section "Make Vorlenta the current screen saver" SecCurrent
    GetFullPathName /SHORT $0 "$INSTDIR\Vorlenta.scr"
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    System::Call 'user32::SystemParametersInfoW(i 0x11, i 1, p 0, i 3) i .r1'
SectionEnd

Section "Start-menu shortcut to the settings" SecShortcut
    CreateShortcut "${SHORTCUT}" "$INSTDIR\Vorlenta.scr" "/c" "$INSTDIR\Vorlenta.scr" 0
SectionEnd

; The screen-saver setting is cleared only while it still names this Vorlenta. The settings
; file is the user's: asked about, and kept in a silent uninstall.
Section "Uninstall"
    GetFullPathName /SHORT $0 "$INSTDIR\Vorlenta.scr"
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} $1 != ""
    ${AndIf} $1 == $0
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${ElseIf} $1 == "$INSTDIR\Vorlenta.scr"
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}

    Delete "$INSTDIR\Vorlenta.scr"
    Delete "$INSTDIR\Vorlenta.dll"
    Delete "${SHORTCUT}"
    ${If} ${FileExists} "$INSTDIR\Vorlenta.ini"
    ${AndIfNot} ${Silent}
        MessageBox MB_YESNO|MB_ICONQUESTION "Delete your Vorlenta settings (Vorlenta.ini) too?" /SD IDNO IDNO keep
        Delete "$INSTDIR\Vorlenta.ini"
        keep:
    ${EndIf}
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
