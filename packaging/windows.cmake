# What a Windows player downloads, made from zentrix.exe on Debian:
#
#   zentrix-<version>-win32-setup.exe   an installer, made by makensis (Debian's nsis package)
#                                       from windows/zentrix.nsi
#   zentrix-<version>-win32.zip         zentrix.exe with README.txt and LICENSE.txt, to unpack
#                                       anywhere
#
# Both land at the top of the build directory, built with everything else or alone by the target
# zentrix_windows_packages (cmake --workflow --preset windows-package). The README and licence
# carry Windows line ends, for Notepad.

find_program(ZENTRIX_MAKENSIS makensis)
set(ZENTRIX_WINDOWS_PACKAGING_DIR "${CMAKE_CURRENT_LIST_DIR}/windows")

# README.txt and LICENSE.txt for VERSION, in DIR.
function(zentrix_write_windows_documents dir version)
    set(VERSION "${version}")
    configure_file("${ZENTRIX_WINDOWS_PACKAGING_DIR}/README.txt.in" "${dir}/README.txt" @ONLY
        NEWLINE_STYLE WIN32)
    configure_file("${PROJECT_SOURCE_DIR}/LICENSE" "${dir}/LICENSE.txt" @ONLY
        NEWLINE_STYLE WIN32)
endfunction()

# The installer OUTPUT of VERSION, installing the program built by EXE_TARGET.
function(zentrix_add_windows_installer exe_target version output)
    set(documents "${PROJECT_BINARY_DIR}/packaging/windows-${version}")
    zentrix_write_windows_documents("${documents}" "${version}")
    set(script "${ZENTRIX_WINDOWS_PACKAGING_DIR}/zentrix.nsi")
    set(icon "${PROJECT_SOURCE_DIR}/resources/zentrix.ico")
    if(ZENTRIX_MAKENSIS)
        set(make_installer "${ZENTRIX_MAKENSIS}" -V2 -NOCD
            "-DVERSION=${version}" "-DVERSION_NUMBERS=${version}.0"
            "-DEXE=$<TARGET_FILE:${exe_target}>" "-DDOCUMENTS=${documents}"
            "-DICON=${icon}" "-DOUTFILE=${output}" "${script}")
    else()
        set(make_installer "${CMAKE_COMMAND}" -E echo
            "makensis is not installed: tools/install-deps test installs it (Debian's nsis)"
            COMMAND "${CMAKE_COMMAND}" -E false)
    endif()
    add_custom_command(
        OUTPUT "${output}"
        COMMAND ${make_installer}
        DEPENDS ${exe_target} "${script}" "${icon}" "${documents}/README.txt"
            "${documents}/LICENSE.txt"
        COMMENT "Making the installer ${output}"
        VERBATIM)
endfunction()

# The zip OUTPUT of VERSION, holding the program built by EXE_TARGET.
function(zentrix_add_windows_zip exe_target version output)
    set(documents "${PROJECT_BINARY_DIR}/packaging/windows-${version}")
    zentrix_write_windows_documents("${documents}" "${version}")
    set(staged "${documents}/zip")
    add_custom_command(
        OUTPUT "${output}"
        COMMAND "${CMAKE_COMMAND}" -E rm -rf "${staged}" "${output}"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${staged}"
        COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:${exe_target}>" "${staged}/zentrix.exe"
        COMMAND "${CMAKE_COMMAND}" -E copy "${documents}/README.txt" "${documents}/LICENSE.txt"
            "${staged}"
        COMMAND "${CMAKE_COMMAND}" -E chdir "${staged}"
            "${CMAKE_COMMAND}" -E tar cf "${output}" --format=zip
            zentrix.exe README.txt LICENSE.txt
        DEPENDS ${exe_target} "${documents}/README.txt" "${documents}/LICENSE.txt"
        COMMENT "Making the zip ${output}"
        VERBATIM)
endfunction()

set(ZENTRIX_WINDOWS_INSTALLER "${PROJECT_BINARY_DIR}/zentrix-${PROJECT_VERSION}-win32-setup.exe")
set(ZENTRIX_WINDOWS_ZIP "${PROJECT_BINARY_DIR}/zentrix-${PROJECT_VERSION}-win32.zip")
zentrix_add_windows_installer(zentrix "${PROJECT_VERSION}" "${ZENTRIX_WINDOWS_INSTALLER}")
zentrix_add_windows_zip(zentrix "${PROJECT_VERSION}" "${ZENTRIX_WINDOWS_ZIP}")
add_custom_target(zentrix_windows_packages ALL
    DEPENDS "${ZENTRIX_WINDOWS_INSTALLER}" "${ZENTRIX_WINDOWS_ZIP}")
