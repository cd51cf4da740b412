# The one version of a build, from the project's version (MAJOR.MINOR.PATCH), for the places that
# carry it: the Windows version block, the installer and its uninstall entry, and the packages'
# file names.
#
#   zentrix_write_version_header(DIR VERSION)
#
# writes DIR/zentrix_version.h for zentrix.rc: the numeric version MAJOR,MINOR,PATCH,0 and the
# version as players have always read it, the major number and the minor one in two digits
# ("1.00"), with ".PATCH" after it for a patch release ("1.00.1").
function(zentrix_write_version_header dir version)
    if(NOT version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
        message(FATAL_ERROR "The version '${version}' is not MAJOR.MINOR.PATCH")
    endif()
    set(major ${CMAKE_MATCH_1})
    set(minor ${CMAKE_MATCH_2})
    set(patch ${CMAKE_MATCH_3})
    set(ZENTRIX_VERSION_NUMBERS "${major},${minor},${patch},0")
    if(minor LESS 10)
        set(minor "0${minor}")
    endif()
    set(ZENTRIX_VERSION_TEXT "${major}.${minor}")
    if(NOT patch EQUAL 0)
        string(APPEND ZENTRIX_VERSION_TEXT ".${patch}")
    endif()
    configure_file("${PROJECT_SOURCE_DIR}/resources/zentrix_version.h.in"
        "${dir}/zentrix_version.h" @ONLY)
endfunction()
