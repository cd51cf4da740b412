# Before the installer test: unpacks the zip as a player would, and removes the Wine prefix of
# the last run so that the test starts on a machine that has never seen the game.
#   cmake -DZIP=... -DUNPACKED=... -DPREFIX=... -P prepare.cmake
foreach(name IN ITEMS ZIP UNPACKED PREFIX)
    if(NOT DEFINED ${name})
        message(FATAL_ERROR "prepare.cmake needs -D${name}=...")
    endif()
endforeach()
if(NOT EXISTS "${ZIP}")
    message(FATAL_ERROR "No zip at ${ZIP}")
endif()
file(REMOVE_RECURSE "${UNPACKED}" "${PREFIX}")
file(ARCHIVE_EXTRACT INPUT "${ZIP}" DESTINATION "${UNPACKED}")
