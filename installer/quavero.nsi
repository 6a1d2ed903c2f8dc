; QuaveroSetup.exe: installs Quavero into C:\Program Files\Quavero\ (the folder the iTunes
; plug-in and the options window rely on), registers the desk band, puts the plug-in into
; iTunes' Plug-Ins folder when iTunes is installed, adds the Start-menu entries and the entry in
; "Apps & features", and writes the uninstaller. Built by CMake (installer/CMakeLists.txt), which
; passes every path and the version with -D.
Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quavero"
!define QUAVERO_KEY "Software\Quavero"
!define MENU "$SMPROGRAMS\Quavero"

Name "Quavero ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quavero"
RequestExecutionLevel admin
BrandingText "Quavero ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Quavero"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Quavero Setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${SOURCE}/src/main/quavero.ico"
!define MUI_UNICON "${SOURCE}/src/main/quavero.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs Quavero ${VERSION}, a skinnable remote control for iTunes, into $INSTDIR.$\r$\n$\r$\nQuavero's desk band is registered for the taskbar, and its plug-in is copied into iTunes' Plug-Ins folder when iTunes is installed.$\r$\n$\r$\nYour settings, personal shortcuts and skins stay when you install a newer version."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quavero.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Quavero"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Quavero Help.doc"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show Quavero Help"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Quavero itself is removed. Your settings, personal shortcuts, lyrics and the skins you added stay unless you tick them below."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var ITunesFolder  ; the folder of the registered iTunes, or empty
Var ITunesBits    ; "64" or "32"

; The iTunes that COM starts for "iTunes.Application", in the registry view already chosen:
; sets $ITunesFolder to its folder when its program is there.
Function ReadITunesServer
  StrCpy $ITunesFolder ""
  ReadRegStr $0 HKCR "iTunes.Application\CLSID" ""
  ${If} $0 == ""
    Return
  ${EndIf}
  ReadRegStr $1 HKCR "CLSID\$0\LocalServer32" ""
  ; The server's command: a quoted path, or a path that ends at ".exe", then arguments.
  StrCpy $2 $1 1
  ${If} $2 == '"'
    StrCpy $1 $1 "" 1
    StrCpy $3 0
    ${Do}
      StrCpy $2 $1 1 $3
      ${IfThen} $2 == '"' ${|} ${ExitDo} ${|}
      ${IfThen} $2 == "" ${|} ${ExitDo} ${|}
      IntOp $3 $3 + 1
    ${Loop}
    StrCpy $1 $1 $3
  ${Else}
    StrCpy $3 0
    ${Do}
      StrCpy $2 $1 4 $3
      ${If} $2 == ".exe"
      ${OrIf} $2 == ""
        ${ExitDo}
      ${EndIf}
      IntOp $3 $3 + 1
    ${Loop}
    IntOp $3 $3 + 4
    StrCpy $1 $1 $3
  ${EndIf}
  ${If} ${FileExists} $1
    ${GetParent} $1 $ITunesFolder
  ${EndIf}
FunctionEnd

; iTunes as registered for 64-bit programs, else for 32-bit ones: the plug-in must match it.
Function FindITunes
  SetRegView 64
  Call ReadITunesServer
  StrCpy $ITunesBits "64"
  ${If} $ITunesFolder == ""
    SetRegView 32
    Call ReadITunesServer
    StrCpy $ITunesBits "32"
  ${EndIf}
  SetRegView 64
FunctionEnd

Section "Quavero" SectionProgram
  SectionIn RO
  SetShellVarContext all
  SetRegView 64

  SetOutPath "$INSTDIR"
  File "/oname=Quavero.exe" "${PROGRAM}"
  File "/oname=QuaveroDeskBand.dll" "${DESKBAND}"
  File "/oname=Unmounter.exe" "${UNMOUNTER}"
  File "/oname=quavero-skincheck.exe" "${SKINCHECK}"
  File "/oname=quavero-bandhost.exe" "${BANDHOST}"
  File "${DOCUMENTS}/Quavero Help.doc"
  File "${DOCUMENTS}/Quavero Changes.doc"
  File "${DOCUMENTS}/Quavero Creation.doc"
  SetOutPath "$INSTDIR\iTunes Plug-In\64-bit"
  File "/oname=QuaveroPlugin.dll" "${PLUGIN64}"
  SetOutPath "$INSTDIR\iTunes Plug-In\32-bit"
  File "/oname=QuaveroPlugin.dll" "${PLUGIN32}"
  !include "${SHIPPED}"
  SetOutPath "$INSTDIR"

  ; The user's personal shortcuts: every skin reads the file, and an upgrade keeps it.
  ${IfNot} ${FileExists} "$INSTDIR\personal.ini"
    FileOpen $0 "$INSTDIR\personal.ini" w
    FileClose $0
  ${EndIf}
  ; Quavero keeps its shortcuts, options and skin places in its own folder: its users may
  ; change what is there.
  ExecWait '"$SYSDIR\icacls.exe" "$INSTDIR" /grant *S-1-5-32-545:(OI)(CI)M /T /Q /C'

  ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\QuaveroDeskBand.dll"' $0
  ${If} $0 != 0
    DetailPrint "The desk band could not be registered (regsvr32 said $0)."
  ${EndIf}

  Call FindITunes
  ${If} $ITunesFolder != ""
    CreateDirectory "$ITunesFolder\Plug-Ins"
    CopyFiles /SILENT "$INSTDIR\iTunes Plug-In\$ITunesBits-bit\QuaveroPlugin.dll" "$ITunesFolder\Plug-Ins"
    WriteRegStr HKLM "${QUAVERO_KEY}" "PlugIn" "$ITunesFolder\Plug-Ins\QuaveroPlugin.dll"
    DetailPrint "The $ITunesBits-bit plug-in is in $ITunesFolder\Plug-Ins."
  ${Else}
    DetailPrint "iTunes is not installed: its plug-in waits in $INSTDIR\iTunes Plug-In."
  ${EndIf}

  CreateDirectory "${MENU}"
  CreateShortcut "${MENU}\Quavero.lnk" "$INSTDIR\Quavero.exe"
  CreateShortcut "${MENU}\Quavero Desk Band (Windows 11).lnk" "$INSTDIR\quavero-bandhost.exe" "--dock" "$INSTDIR\Quavero.exe" 0
  CreateShortcut "${MENU}\Quavero Help.lnk" "$INSTDIR\Quavero Help.doc"
  CreateShortcut "${MENU}\Quavero Changes.lnk" "$INSTDIR\Quavero Changes.doc"
  CreateShortcut "${MENU}\Quavero Creation (skin authors' guide).lnk" "$INSTDIR\Quavero Creation.doc"
  CreateShortcut "${MENU}\Uninstall Quavero.lnk" "$INSTDIR\Uninstall.exe"

  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${QUAVERO_KEY}" "InstallFolder" "$INSTDIR"
  WriteRegStr HKLM "${QUAVERO_KEY}" "Version" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quavero"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Comments" "A skinnable remote control for iTunes"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quavero.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Quavero" SectionUninstallProgram
  SectionIn RO
  SetShellVarContext all
  SetRegView 64

  ; The band goes first, while its DLL is still there to say what it registered.
  ExecWait '"$SYSDIR\regsvr32.exe" /s /u "$INSTDIR\QuaveroDeskBand.dll"'
  ReadRegStr $0 HKLM "${QUAVERO_KEY}" "PlugIn"
  ${If} $0 != ""
    Delete "$0"
  ${EndIf}

  Delete "$INSTDIR\Quavero.exe"
  Delete "$INSTDIR\QuaveroDeskBand.dll"
  Delete "$INSTDIR\Unmounter.exe"
  Delete "$INSTDIR\quavero-skincheck.exe"
  Delete "$INSTDIR\quavero-bandhost.exe"
  Delete "$INSTDIR\Quavero Help.doc"
  Delete "$INSTDIR\Quavero Changes.doc"
  Delete "$INSTDIR\Quavero Creation.doc"
  Delete "$INSTDIR\communicate.hwnd"
  Delete "$INSTDIR\iTunes Plug-In\64-bit\QuaveroPlugin.dll"
  Delete "$INSTDIR\iTunes Plug-In\32-bit\QuaveroPlugin.dll"
  RMDir "$INSTDIR\iTunes Plug-In\64-bit"
  RMDir "$INSTDIR\iTunes Plug-In\32-bit"
  RMDir "$INSTDIR\iTunes Plug-In"
  !include "${SHIPPED_UNINSTALL}"

  Delete "${MENU}\Quavero.lnk"
  Delete "${MENU}\Quavero Desk Band (Windows 11).lnk"
  Delete "${MENU}\Quavero Help.lnk"
  Delete "${MENU}\Quavero Changes.lnk"
  Delete "${MENU}\Quavero Creation (skin authors' guide).lnk"
  Delete "${MENU}\Uninstall Quavero.lnk"
  RMDir "${MENU}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${QUAVERO_KEY}"
SectionEnd

Section /o "un.Remove my settings, shortcuts, lyrics and skins" SectionUninstallUserData
  SetShellVarContext all
  Delete "$INSTDIR\personal.ini"
  Delete "$INSTDIR\openwithitunes.opt"
  RMDir /r "$INSTDIR\Skins"
  RMDir /r "$INSTDIR\DeskBand"
  RMDir /r "$INSTDIR\Lyrics"
  Delete "$INSTDIR\normalskin"
  DeleteRegKey HKCU "Software\VB and VBA Program Settings\Quavero"
  DeleteRegKey HKCU "Software\VB and VBA Program Settings\QuaveroDeskband"
  DeleteRegKey HKCU "Software\Quavero"
SectionEnd

Section "-un.Finish"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd

; "Uninstall.exe /S /REMOVEUSERDATA" removes the user's files too, without asking.
Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEUSERDATA" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SectionUninstallUserData} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionUninstallProgram} "The program, the desk band, the plug-in in iTunes' folder, the documents and the skins that came with Quavero."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionUninstallUserData} "Your options, personal.ini, the lyrics files, every skin (also those you added) and where your skins were."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
