; Quorvel's installer: both builds of the add-in for the current user, no administrator rights.
; Each build is registered by its own DllRegisterServer in a process of its own bitness, so the
; classes land in that bitness's registry view and either Outlook finds its build. A 64-bit
; installer: it runs the 64-bit regsvr32 directly and the 32-bit one from SysWOW64.
; makensis -DVERSION=1.1.4 -DPUBLISHER=<name> -DDIST=<folder with x64/ and x86/> -DICON=<.ico>
;          -DBUILD_FILES=<the macros installer/build_files.py nsis prints>
;          -DUPGRADE_CODE=<the Windows Installer package's> -DOUTFILE=<.exe>
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
; Each build's files, the same list the Windows Installer package is made from.
!include "${BUILD_FILES}"

!define PRODUCT "Quorvel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvel"
!define MANUAL "Quorvel User Manual.pdf"
!define FAILED_REGISTRATION 3
!define OUTLOOK_RUNNING 2
!define PACKAGE_INSTALLED 4

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\x86\${MANUAL}"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Open the user manual"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Sets $0 to 1 while a process named OUTLOOK.EXE runs, else to 0. In this 64-bit program
; PROCESSENTRY32W is 568 bytes, with the file name at offset 44.
!macro OUTLOOK_RUNNING_FUNCTION prefix
Function ${prefix}OutlookRunning
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    StrCpy $0 0
    System::Call 'kernel32::CreateToolhelp32Snapshot(i 2, i 0) p .r1'
    ${If} $1 P<> -1
        System::Alloc 568
        Pop $2
        System::Call '*$2(i 568)'
        IntPtrOp $5 $2 + 44
        System::Call 'kernel32::Process32FirstW(p r1, p r2) i .r3'
        ${DoWhile} $3 <> 0
            System::Call '*$5(&w260 .r4)'
            ${If} $4 == "OUTLOOK.EXE"
                StrCpy $0 1
                ${Break}
            ${EndIf}
            System::Call 'kernel32::Process32NextW(p r1, p r2) i .r3'
        ${Loop}
        System::Free $2
        System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
FunctionEnd
!macroend
!insertmacro OUTLOOK_RUNNING_FUNCTION ""
!insertmacro OUTLOOK_RUNNING_FUNCTION "un."

; Outlook holds the loaded add-in's files: stop before changing anything.
!macro REFUSE_WHILE_OUTLOOK_RUNS prefix action
    Call ${prefix}OutlookRunning
    ${If} $0 = 1
        MessageBox MB_ICONSTOP|MB_OK "Microsoft Outlook is running. Please close Outlook, then ${action} again.$\r$\n$\r$\nNothing has been changed." /SD IDOK
        SetErrorLevel ${OUTLOOK_RUNNING}
        Quit
    ${EndIf}
!macroend

; Runs the regsvr32 of the build's own bitness.
!define REGSVR32_64 "$SYSDIR\regsvr32.exe"
!define REGSVR32_32 "$WINDIR\SysWOW64\regsvr32.exe"
!macro REGSVR32 bitness options dll result
    StrCpy ${result} "not started"
    ExecWait '"${REGSVR32_${bitness}}" ${options} "${dll}"' ${result}
!macroend

; The Windows Installer package's install of the same files and keys would be left half
; replaced: it is removed first, in Settings > Apps.
Function RefuseOverPackage
    System::Call 'msi::MsiEnumRelatedProductsW(w "${UPGRADE_CODE}", i 0, i 0, w .r1) i .r0'
    ${If} $0 = 0
        MessageBox MB_ICONSTOP|MB_OK "Quorvel is installed by its Windows Installer package. Remove it in Settings > Apps first, then run Setup again.$\r$\n$\r$\nNothing has been changed." /SD IDOK
        SetErrorLevel ${PACKAGE_INSTALLED}
        Quit
    ${EndIf}
FunctionEnd

Function .onInit
    !insertmacro REFUSE_WHILE_OUTLOOK_RUNS "" "run Setup"
    Call RefuseOverPackage
FunctionEnd

Function un.onInit
    !insertmacro REFUSE_WHILE_OUTLOOK_RUNS "un." "remove Quorvel"
FunctionEnd

; Installs one build into its folder and registers it; $R9 counts the failed registrations.
!macro INSTALL_BUILD arch bitness
    SetOutPath "$INSTDIR\${arch}"
    !insertmacro BUILD_FILES ${arch}
    !insertmacro REGSVR32 ${bitness} "/s" "$INSTDIR\${arch}\Quorvel.dll" $0
    ${If} $0 != 0
        DetailPrint "The ${bitness}-bit Quorvel.dll could not be registered (regsvr32 exit code $0)."
        IntOp $R9 $R9 + 1
    ${EndIf}
!macroend

Section "Quorvel"
    !insertmacro REFUSE_WHILE_OUTLOOK_RUNS "" "run Setup"
    ; An earlier installation in another folder is removed first, so only one remains.
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $1 != ""
    ${AndIf} $1 != $INSTDIR
    ${AndIf} ${FileExists} "$1\Uninstall.exe"
        ExecWait '"$1\Uninstall.exe" /S _?=$1'
        Delete "$1\Uninstall.exe"
        RMDir "$1"
    ${EndIf}

    StrCpy $R9 0
    !insertmacro INSTALL_BUILD x64 64
    !insertmacro INSTALL_BUILD x86 32

    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Uninstall.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    ${If} $R9 > 0
        MessageBox MB_ICONSTOP|MB_OK "Quorvel was copied to $INSTDIR but could not be registered with Outlook. Please run Setup again; if that fails too, remove Quorvel and see the user manual's troubleshooting chapter." /SD IDOK
        SetErrorLevel ${FAILED_REGISTRATION}
    ${EndIf}
SectionEnd

!macro REMOVE_BUILD arch bitness
    ${If} ${FileExists} "$INSTDIR\${arch}\Quorvel.dll"
        !insertmacro REGSVR32 ${bitness} "/s /u" "$INSTDIR\${arch}\Quorvel.dll" $0
    ${EndIf}
    !insertmacro REMOVE_BUILD_FILES ${arch}
    RMDir "$INSTDIR\${arch}"
!macroend

; Removes what Setup added and nothing else: the directory and group schedules in the user's
; calendar stay where they are.
Section "Uninstall"
    !insertmacro REMOVE_BUILD x64 64
    !insertmacro REMOVE_BUILD x86 32
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
