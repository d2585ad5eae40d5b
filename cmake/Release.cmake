# What a release adds to the build: where the programs go when installed, and
# two packages of the same files, a Windows installer (NSIS) and a zip. `cpack`
# in a build tree makes both; scripts/release does it in a tree of its own.

# The simulator goes along so that a technician can try the program without a
# device (over a virtual null-modem pair), and the console sender for test rigs
# and production lines; neither gets a Start-menu entry.
install(TARGETS Tarvek tarvek-sim tarvek-send RUNTIME DESTINATION .)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME "Tarvek")
set(CPACK_PACKAGE_VENDOR "Brasselwald GmbH")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tarvek Konfigurationsprogramm")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "Tarvek-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Tarvek")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Tarvek")
set(CPACK_STRIP_FILES ON)

# The installer is a 64-bit program itself, like what it installs: it puts the
# program under the 64-bit Program Files and registers it in the 64-bit view
# of the registry, and on a 32-bit Windows, where the program cannot run, it
# does not start either. The version is shown as the version resource shows it.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Tarvek Konfigurationsprogramm 2.0 a")
set(CPACK_NSIS_DISPLAY_NAME "Tarvek Konfigurationsprogramm 2.0 a")
set(CPACK_NSIS_INSTALLED_ICON_NAME "Tarvek.exe")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/images/tarvek.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/images/tarvek.ico)
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
# The Start-menu entry, written out because the generator's own entries expect
# the programs in a bin folder.
set(tarvek_menu_entry "Tarvek Konfigurationsprogramm.lnk")
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\${tarvek_menu_entry}\" \"$INSTDIR\\Tarvek.exe\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete \"$SMPROGRAMS\\$MUI_TEMP\\${tarvek_menu_entry}\"")

# Configuration files open in the program on a double-click: ".tci" names the
# file class, whose open command hands the file to the program as its one
# argument. The uninstaller takes back exactly that: the class, and the
# extension only while it still names the class (another program may have
# taken it over since, or added entries of its own). The shell is told, so
# that icons and the open command change at once.
set(tarvek_file_class "Tarvek.Konfigurationsdatei")
string(CONFIGURE [=[
  WriteRegStr HKLM "Software\Classes\.tci" "" "@tarvek_file_class@"
  WriteRegStr HKLM "Software\Classes\@tarvek_file_class@" "" "Tarvek Konfigurationsdatei"
  WriteRegStr HKLM "Software\Classes\@tarvek_file_class@\DefaultIcon" "" "$INSTDIR\Tarvek.exe,0"
  WriteRegStr HKLM "Software\Classes\@tarvek_file_class@\shell\open\command" "" '"$INSTDIR\Tarvek.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=] CPACK_NSIS_EXTRA_INSTALL_COMMANDS @ONLY)
string(CONFIGURE [=[
  ReadRegStr $0 HKLM "Software\Classes\.tci" ""
  StrCmp $0 "@tarvek_file_class@" 0 tarvek_extension_kept
    DeleteRegValue HKLM "Software\Classes\.tci" ""
    DeleteRegKey /ifempty HKLM "Software\Classes\.tci"
  tarvek_extension_kept:
  DeleteRegKey HKLM "Software\Classes\@tarvek_file_class@"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]=] CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS @ONLY)

include(CPack)
