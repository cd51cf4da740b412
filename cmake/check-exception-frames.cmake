# Fails unless the Windows program at IMAGE lets the system call an exception handler that lies
# anywhere in its code: the window procedures' crash guard (ui/win32/window_object.cpp) puts a
# frame of its own on the thread's chain of handlers, which the system skips, and the crash goes
# unguarded, once the image carries a table of the only handlers allowed (a SafeSEH table in its
# load configuration) or says it has no handlers at all (the no-SEH flag of its optional header).
#
# Usage: cmake -DIMAGE=zentrix.exe [-DREMOVE_REFUSED=ON] -P check-exception-frames.cmake
# REMOVE_REFUSED (after a link): an image refused is deleted, so that the next build links it
# again rather than take it as made.
cmake_minimum_required(VERSION 3.25)

function(refuse)
    string(JOIN "" text ${ARGN})
    if(REMOVE_REFUSED)
        file(REMOVE "${IMAGE}")
    endif()
    message(FATAL_ERROR "check-exception-frames: ${IMAGE} ${text}")
endfunction()

if(NOT DEFINED IMAGE OR NOT EXISTS "${IMAGE}")
    message(FATAL_ERROR "check-exception-frames: no image at '${IMAGE}'")
endif()

# The little-endian unsigned number of `size` bytes at `offset` of the image.
function(read_number offset size result)
    file(READ "${IMAGE}" hex OFFSET ${offset} LIMIT ${size} HEX)
    string(LENGTH "${hex}" length)
    math(EXPR expected "${size} * 2")
    if(NOT length EQUAL expected)
        message(FATAL_ERROR
            "check-exception-frames: ${IMAGE} ends before byte ${offset} + ${size}")
    endif()
    set(value 0)
    math(EXPR last "${size} - 1")
    foreach(index RANGE ${last} 0 -1)
        math(EXPR at "${index} * 2")
        string(SUBSTRING "${hex}" ${at} 2 byte)
        math(EXPR value "(${value} << 8) + 0x${byte}")
    endforeach()
    set(${result} ${value} PARENT_SCOPE)
endfunction()

read_number(0 2 mz)
if(NOT mz EQUAL 0x5A4D)
    message(FATAL_ERROR "check-exception-frames: ${IMAGE} is no Windows program")
endif()
read_number(60 4 pe)  # e_lfanew
read_number(${pe} 4 signature)
if(NOT signature EQUAL 0x4550)
    message(FATAL_ERROR "check-exception-frames: ${IMAGE} has no PE header")
endif()
math(EXPR coff "${pe} + 4")
math(EXPR at "${coff} + 2")
read_number(${at} 2 sections)
math(EXPR at "${coff} + 16")
read_number(${at} 2 optionalSize)
math(EXPR optional "${coff} + 20")
read_number(${optional} 2 magic)
if(NOT magic EQUAL 0x10B)
    message(FATAL_ERROR "check-exception-frames: ${IMAGE} is no 32-bit program")
endif()

# IMAGE_DLLCHARACTERISTICS_NO_SEH
math(EXPR at "${optional} + 70")
read_number(${at} 2 characteristics)
math(EXPR noSeh "${characteristics} & 0x400")
if(NOT noSeh EQUAL 0)
    refuse("says it has no exception handlers (IMAGE_DLLCHARACTERISTICS_NO_SEH): the crash "
        "guard would never be called")
endif()

# The load configuration (data directory 10), if any.
math(EXPR at "${optional} + 92")
read_number(${at} 4 directories)
if(directories LESS 11)
    return()
endif()
math(EXPR at "${optional} + 96 + 10 * 8")
read_number(${at} 4 configRva)
if(configRva EQUAL 0)
    return()
endif()
# Where that address lies in the file: the section that holds it.
set(configOffset -1)
math(EXPR table "${optional} + ${optionalSize}")
math(EXPR last "${sections} - 1")
foreach(index RANGE 0 ${last})
    math(EXPR header "${table} + ${index} * 40")
    math(EXPR at "${header} + 8")
    read_number(${at} 4 virtualSize)
    math(EXPR at "${header} + 12")
    read_number(${at} 4 virtualAddress)
    math(EXPR at "${header} + 20")
    read_number(${at} 4 rawOffset)
    math(EXPR virtualEnd "${virtualAddress} + ${virtualSize}")
    if(configRva GREATER_EQUAL virtualAddress AND configRva LESS virtualEnd)
        math(EXPR configOffset "${rawOffset} + ${configRva} - ${virtualAddress}")
    endif()
endforeach()
if(configOffset LESS 0)
    message(FATAL_ERROR "check-exception-frames: ${IMAGE}'s load configuration lies in no section")
endif()
read_number(${configOffset} 4 configSize)
if(configSize GREATER_EQUAL 72)
    math(EXPR at "${configOffset} + 64")
    read_number(${at} 4 handlerTable)
    math(EXPR at "${configOffset} + 68")
    read_number(${at} 4 handlerCount)
    if(NOT handlerTable EQUAL 0 OR NOT handlerCount EQUAL 0)
        refuse("carries a SafeSEH table (${handlerCount} handlers): the crash guard's handler "
            "is not among them, and the system would never call it")
    endif()
endif()
