# Installing KESTRIX as a desktop program, and its Debian package.
#   cmake --install <build>            the program, its menu entry and its icon
#   cd <build> && cpack -G DEB         kestrix_<version>_<arch>.deb
# Only the program and kestrix-clipboard, which it starts from beside itself,
# are installed: libraries, tests and tools stay in the build.

if(KESTRIX_WIN32)
    # The Windows download: KESTRIX.exe and a short readme in one zip,
    #   cd <cross-build> && cpack          KESTRIX-<version>-win64.zip
    set(KESTRIX_DISPLAY_VERSION "2.01")
    configure_file(${PROJECT_SOURCE_DIR}/packaging/README-windows.txt
                   ${PROJECT_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${PROJECT_BINARY_DIR}/README.txt DESTINATION .)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME KESTRIX)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGE_FILE_NAME KESTRIX-${PROJECT_VERSION}-win64)
    # The files at the top of the zip, not in a folder of its name.
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_STRIP_FILES ON)
    include(CPack)
    return()
endif()

if(NOT KESTRIX_GUI)
    return()
endif()

if(UNIX AND NOT APPLE)
    # Where freedesktop menus look for entries and icon themes for icons.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrix.desktop
            DESTINATION share/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrix.svg
            DESTINATION share/icons/hicolor/scalable/apps)
    # Some menus draw only bitmap icons.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/kestrix-48.png
            DESTINATION share/icons/hicolor/48x48/apps RENAME kestrix.png)
endif()

set(CPACK_PACKAGE_NAME kestrix)
set(CPACK_PACKAGE_VENDOR "KESTRIX")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "installs and uninstalls Unreal Tournament (1999) mod packages")
set(CPACK_PACKAGE_CONTACT "KESTRIX maintainers <maintainers@users.noreply.c-seed-5d9a5ad1.example>")
set(CPACK_STRIP_FILES ON)
# Quotes and the like reach the package as written.
set(CPACK_VERBATIM_VARIABLES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION
    "KESTRIX installs a \".umod\" package by starting the game's own setup tool
with it, through Wine on Linux, and uninstalls an installed package: it
deletes the package's files, keeps those that another package or the game
itself still lists, and rewrites the game's manifest, keeping the previous
one as manifest.bak.

The game's setup tool is a 32-bit Windows program: on a 64-bit PC, Wine
runs it only with wine32:i386 (after dpkg --add-architecture i386).")
# The Qt libraries it links (the X11 platform plugin comes with libqt6gui6),
# libxcb for kestrix-clipboard, and Liberation Sans, whose metrics the
# windows' layouts were drawn for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.36), libstdc++6 (>= 12), libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libxcb1 (>= 1.15), fonts-liberation2")
# The game's setup tool is a Windows program. It is a 32-bit one, but an
# amd64 package cannot name wine32:i386 (another architecture) among its
# relations: the description says it instead, and Install names the commands.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wine)

include(CPack)
