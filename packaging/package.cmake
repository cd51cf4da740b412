# Installing the game on a Linux desktop, and its Debian package. Included from the top-level
# CMakeLists.txt once the game's targets exist, so that CPack sees every install rule.
#
#   cmake --install build/play --prefix /usr       # or DESTDIR=... for a staging tree
#   cpack --config build/play/CPackConfig.cmake      # zentrix_<version>_<arch>.deb
#
# The game goes where Debian keeps games (ZENTRIX_INSTALL_GAMESDIR: /usr/games, /usr/local/games).
# Only the game is installed: the seeded-deal helper, the benchmarks and the tests have no install
# rules.

set(ZENTRIX_PACKAGE_CONTACT "Zentrix maintainers <maintainers@zentrix.invalid>"
    CACHE STRING "Maintainer of the Debian package")

set(packaging_dir "${CMAKE_CURRENT_LIST_DIR}")
set(staged_dir "${PROJECT_BINARY_DIR}/packaging")

configure_file("${packaging_dir}/zentrix.desktop.in" "${staged_dir}/${ZENTRIX_APP_ID}.desktop"
    @ONLY)
configure_file("${packaging_dir}/zentrix.metainfo.xml.in"
    "${staged_dir}/${ZENTRIX_APP_ID}.metainfo.xml" @ONLY)
configure_file("${packaging_dir}/zentrix.6.in" "${staged_dir}/zentrix.6" @ONLY)
configure_file("${packaging_dir}/changelog.in" "${staged_dir}/changelog" @ONLY)

install(FILES "${staged_dir}/${ZENTRIX_APP_ID}.desktop"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES "${staged_dir}/${ZENTRIX_APP_ID}.metainfo.xml"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo")

# The icon theme's sizes, each drawn at its size by tools/draw-pictures.
foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
    install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/${size}.png"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps"
        RENAME "${ZENTRIX_APP_ID}.png")
endforeach()

# The licence, machine-readable as Debian's copyright files are, and the changelog, beside
# them in the package's documentation folder.
set(doc_dir "${CMAKE_INSTALL_DATADIR}/doc/zentrix")
install(FILES "${packaging_dir}/copyright" DESTINATION "${doc_dir}")

# Manual pages and changelogs are installed compressed, as Debian's are.
find_program(ZENTRIX_GZIP gzip)
if(ZENTRIX_GZIP)
    add_custom_command(
        OUTPUT "${staged_dir}/zentrix.6.gz" "${staged_dir}/changelog.gz"
        COMMAND "${ZENTRIX_GZIP}" -9 -n -c "${staged_dir}/zentrix.6" > "${staged_dir}/zentrix.6.gz"
        COMMAND "${ZENTRIX_GZIP}" -9 -n -c "${staged_dir}/changelog" > "${staged_dir}/changelog.gz"
        DEPENDS "${staged_dir}/zentrix.6" "${staged_dir}/changelog"
        COMMENT "Compressing the manual page and the changelog")
    add_custom_target(zentrix_manual ALL
        DEPENDS "${staged_dir}/zentrix.6.gz" "${staged_dir}/changelog.gz")
    install(FILES "${staged_dir}/zentrix.6.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
    install(FILES "${staged_dir}/changelog.gz" DESTINATION "${doc_dir}")
else()
    install(FILES "${staged_dir}/zentrix.6" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
    install(FILES "${staged_dir}/changelog" DESTINATION "${doc_dir}")
endif()

# The Debian package. dpkg-shlibdeps finds the libraries the executable links; what Qt loads at
# run time it cannot see: the platform plugins (xcb and the rest live in qt6-qpa-plugins) and the
# fonts the window's layout is measured in (Liberation Sans, metric-compatible with the design's).
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "zentrix")
set(CPACK_PACKAGE_VENDOR "Zentrix")
set(CPACK_PACKAGE_CONTACT "${ZENTRIX_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: clear the heap in sets of eleven")
# The description's lines as they stand in the package: at most 80 characters each.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Twenty-two numbered balls lie in a heap. Click free balls whose numbers add up\n"
    "to exactly 11 and the set is removed for points. Rounds last 90 seconds; a game\n"
    "has two rounds and a bonus round.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2 | fonts-liberation")
# A Wayland session (a phone's, most often) runs the game natively through Qt's Wayland plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# Cross-built (the arm64 preset), the package is for the architecture the game was built for, and
# dpkg-shlibdeps reads that architecture's libraries from its multiarch folders, with that
# architecture's objdump: it learns the architecture from DEB_HOST_ARCH, which CPack's project
# file sets while the package is made, however cpack is started.
if(CMAKE_CROSSCOMPILING)
    find_program(ZENTRIX_DPKG_ARCHITECTURE dpkg-architecture REQUIRED)
    execute_process(
        COMMAND "${ZENTRIX_DPKG_ARCHITECTURE}" -t "${CMAKE_LIBRARY_ARCHITECTURE}" -q DEB_HOST_ARCH
        OUTPUT_VARIABLE ZENTRIX_DEB_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
        ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "${ZENTRIX_DEB_ARCHITECTURE}")
    file(WRITE "${staged_dir}/cpack-project.cmake"
        "set(ENV{DEB_HOST_ARCH} \"${ZENTRIX_DEB_ARCHITECTURE}\")\n")
    set(CPACK_PROJECT_CONFIG_FILE "${staged_dir}/cpack-project.cmake")
endif()
include(CPack)
