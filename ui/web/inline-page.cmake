# Writes the page with its style sheet, the windows' design and its script inside it, so that the
# browser has them with the page itself instead of asking for them after it, and the main window
# as the game's start-up leaves it in its markup: the page shows the window before its script runs. The page's script is its parts (site/js/*.js) in the order
# index.html lists them, each a name of its own in one function's scope. The module's own script
# and its WebAssembly go into the site under names made from their contents, replacing those of
# an earlier build. Once the window is painted, the page's script fetches the module's script and
# puts it into the page as a script of its own (so that the page comes in fewer of the network's
# round trips, and nothing of the module runs before the first picture), and fetches the
# WebAssembly by its name and its digest, compiling it only if it is that file. The page's policy
# (its Content-Security-Policy) lets run only these two scripts and apply only this style sheet,
# named by their digests, which are written into it: scripts in the page allowed by their digests
# are what every browser the page supports understands (a file allowed by its digest is not), and
# a module's script that is not this very text does not run. The page's script goes in before
# the page's message that the game cannot run, which is shown unless that script has run.
# cmake -DSOURCE=<site folder> -DOUTPUT=<index.html> -DNODE=<node> -DLAYOUT_PROGRAM=<program.js>
#       -DMODULE_SCRIPT=<zentrix-wasm.js, its .wasm beside it> -DSITE=<built site> -P inline-page.cmake

# A digest (in hex, made with `algorithm`) as a policy or an integrity attribute names it:
# "<algorithm>-<base64>".
function(named_digest algorithm hex out)
    set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
    string(LENGTH "${hex}" length)
    set(base64 "")
    # Three bytes (six hex digits) at a time make four characters; a last one or two bytes make
    # two or three, and "=" fills the four.
    foreach(at RANGE 0 ${length} 6)
        string(SUBSTRING "${hex}" ${at} 6 group)
        string(LENGTH "${group}" digits)
        if(digits EQUAL 0)
            break()
        endif()
        math(EXPR characters "${digits} / 2 + 1")
        string(APPEND group "0000")
        string(SUBSTRING "${group}" 0 6 group)
        math(EXPR value "0x${group}")
        foreach(shift 18 12 6 0)
            if(characters GREATER 0)
                math(EXPR index "(${value} >> ${shift}) & 63")
                string(SUBSTRING "${alphabet}" ${index} 1 character)
                string(APPEND base64 "${character}")
                math(EXPR characters "${characters} - 1")
            else()
                string(APPEND base64 "=")
            endif()
        endforeach()
    endforeach()
    string(TOLOWER "${algorithm}" name)
    set(${out} "${name}-${base64}" PARENT_SCOPE)
endfunction()

# Writes into the variable `variable` each value of the pairs that follow `where` (NAME value ...)
# for its "@NAME@", which `where` must still hold.
function(fill_in variable where)
    set(text "${${variable}}")
    set(pairs ${ARGN})
    while(pairs)
        list(POP_FRONT pairs name value)
        string(FIND "${text}" "@${name}@" found)
        if(found EQUAL -1)
            message(FATAL_ERROR "${where} no longer names @${name}@")
        endif()
        string(REPLACE "@${name}@" "${value}" text "${text}")
    endwhile()
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()

# The digest of `text`, named so.
function(digest_of algorithm text out)
    string(${algorithm} hex "${text}")
    named_digest(${algorithm} "${hex}" named)
    set(${out} "${named}" PARENT_SCOPE)
endfunction()

file(READ "${SOURCE}/index.html" page)
file(READ "${SOURCE}/zentrix.css" style)
execute_process(COMMAND "${NODE}" "${LAYOUT_PROGRAM}"
    OUTPUT_VARIABLE layout OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE failed)
if(failed OR NOT layout MATCHES "^{.*}$")
    message(FATAL_ERROR "${LAYOUT_PROGRAM} printed no layout (${failed})")
endif()
# The main window as the start-up leaves it, in the page's markup and style sheet
# (start-view.js), so that it shows before any script has run.
set(layout_file "${CMAKE_CURRENT_BINARY_DIR}/start-layout.json")
file(WRITE "${layout_file}" "${layout}")
execute_process(COMMAND "${NODE}" "${CMAKE_CURRENT_LIST_DIR}/start-view.js" "${layout_file}"
        "${CMAKE_CURRENT_BINARY_DIR}/start-view.html" "${CMAKE_CURRENT_BINARY_DIR}/start-view.css"
        "${CMAKE_CURRENT_BINARY_DIR}/start-view-head.html" "${CMAKE_CURRENT_BINARY_DIR}/page-layout.json"
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "start-view.js wrote no start view (${failed})")
endif()
file(READ "${CMAKE_CURRENT_BINARY_DIR}/start-view.html" start_markup)
file(READ "${CMAKE_CURRENT_BINARY_DIR}/start-view.css" start_style)
file(READ "${CMAKE_CURRENT_BINARY_DIR}/start-view-head.html" start_head)
file(READ "${CMAKE_CURRENT_BINARY_DIR}/page-layout.json" layout)
string(APPEND style "${start_style}")
# Without its comments, which the page need not carry.
string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/\n?" "" style "${style}")
set(board [[<div id="board"></div>]])
string(FIND "${page}" "${board}" found)
if(found EQUAL -1)
    message(FATAL_ERROR "index.html no longer holds: ${board}")
endif()
string(REPLACE "${board}" "<div id=\"board\">${start_markup}</div>" page "${page}")

# Inside a script element "</" could end it early; JSON reads "<\/" as the same two characters.
string(REPLACE "</" "<\\/" layout "${layout}")

set(style_link [[<link rel="stylesheet" href="zentrix.css">]])
set(module_script [[<script src="zentrix-wasm.js" defer></script>]])
set(cannot_run [[<p id="cannot-run"]])
foreach(part style_link module_script cannot_run)
    string(FIND "${page}" "${${part}}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "index.html no longer holds: ${${part}}")
    endif()
endforeach()

# The page's parts, in order.
string(REGEX MATCHALL "<script src=\"js/[a-z]+\\.js\" defer></script>\n" part_tags "${page}")
if(NOT part_tags)
    message(FATAL_ERROR "index.html lists none of the page's scripts")
endif()
set(script "'use strict';\n\n(() => {\n")
foreach(tag IN LISTS part_tags)
    string(REGEX REPLACE "^<script src=\"(js/[a-z]+\\.js)\".*" "\\1" part "${tag}")
    file(READ "${SOURCE}/${part}" text)
    string(FIND "${text}" "</" closing)
    if(NOT closing EQUAL -1)
        message(FATAL_ERROR "${part} holds \"</\", which would end the page's script early")
    endif()
    string(APPEND script "${text}\n")
    string(REPLACE "${tag}" "" page "${page}")
endforeach()
string(APPEND script "})();\n")
# Made small (minify-script.js): the page comes in fewer of the network's round trips.
file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/page-script.js" "${script}")
execute_process(COMMAND "${NODE}" "${CMAKE_CURRENT_LIST_DIR}/minify-script.js"
        "${CMAKE_CURRENT_BINARY_DIR}/page-script.js" "${CMAKE_CURRENT_BINARY_DIR}/page-script.min.js"
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "minify-script.js could not make the page's script small (${failed})")
endif()
file(READ "${CMAKE_CURRENT_BINARY_DIR}/page-script.min.js" script)
string(FIND "${script}" "</" closing)
if(NOT closing EQUAL -1)
    message(FATAL_ERROR "The page's script, made small, holds \"</\", which would end it early")
endif()

# The module's WebAssembly under its contents' name, and its script as it goes into the page.
get_filename_component(module_folder "${MODULE_SCRIPT}" DIRECTORY)
get_filename_component(module_name "${MODULE_SCRIPT}" NAME_WE)
set(wasm "${module_folder}/${module_name}.wasm")
file(SHA256 "${wasm}" wasm_digest)
named_digest(SHA256 "${wasm_digest}" wasm_integrity)
string(SUBSTRING "${wasm_digest}" 0 12 wasm_digest)
set(wasm_file "zentrix-${wasm_digest}.wasm")
file(READ "${MODULE_SCRIPT}" module_text)
string(SHA256 module_file "${module_text}")
string(SUBSTRING "${module_file}" 0 12 module_file)
set(module_file "zentrix-${module_file}.js")
file(GLOB earlier "${SITE}/zentrix-*.wasm" "${SITE}/zentrix-*.js")
foreach(file IN LISTS earlier)
    get_filename_component(name "${file}" NAME)
    if(NOT name STREQUAL wasm_file AND NOT name STREQUAL module_file)
        file(REMOVE "${file}")
    endif()
endforeach()
configure_file("${wasm}" "${SITE}/${wasm_file}" COPYONLY)
file(WRITE "${SITE}/${module_file}" "${module_text}")
# The page's script fetches the module's script and its WebAssembly by the names (and the
# WebAssembly's digest) written into it here.
fill_in(script "The page's script" WASM_FILE "${wasm_file}" WASM_INTEGRITY "${wasm_integrity}"
    MODULE_FILE "${module_file}")

# The policy allows no style attribute and no inline event handler: the page's markup has none.
if(page MATCHES "<[^>]*[ \t\n](style|on[a-z]+)[ \t\n]*=")
    message(FATAL_ERROR "index.html has a style or event handler attribute, which its policy refuses")
endif()

# The style sheet, the page's script and the module's script as the browser will read them,
# and the policy naming each by its digest.
set(style "\n${style}")
set(script "\n${script}")
digest_of(SHA256 "${style}" style_digest)
digest_of(SHA256 "${script}" script_digest)
digest_of(SHA256 "${module_text}" module_digest)
fill_in(page "index.html's Content-Security-Policy" PAGE_STYLE_DIGEST "'${style_digest}'"
    PAGE_SCRIPT_DIGEST "'${script_digest}'" MODULE_SCRIPT_DIGEST "'${module_digest}'")

string(REPLACE "${style_link}" "${start_head}<style>${style}</style>" page "${page}")
string(REPLACE "${module_script}\n" "" page "${page}")
string(REPLACE "${cannot_run}"
    "<script type=\"application/json\" id=\"zentrix-layout\">${layout}</script>\n<script>${script}</script>\n${cannot_run}"
    page "${page}")
file(WRITE "${OUTPUT}" "${page}")
