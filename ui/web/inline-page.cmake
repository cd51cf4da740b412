# Writes the page with its style sheet, the windows' design and its script inside it, so that the
# browser has them with the page itself instead of asking for them after it: the page shows the
# window as soon as its script runs. The page's script is its parts (site/js/*.js) in the order
# index.html lists them, each a name of its own in one function's scope. The module's own script
# is then the only one fetched, and it runs last. The module's script and WebAssembly go into the
# site under names made from their contents (the script naming its WebAssembly so), replacing
# those of an earlier build.
# cmake -DSOURCE=<site folder> -DOUTPUT=<index.html> -DNODE=<node> -DLAYOUT_PROGRAM=<program.js>
#       -DMODULE_SCRIPT=<zentrix-wasm.js, its .wasm beside it> -DSITE=<built site> -P inline-page.cmake
file(READ "${SOURCE}/index.html" page)
file(READ "${SOURCE}/zentrix.css" style)
execute_process(COMMAND "${NODE}" "${LAYOUT_PROGRAM}"
    OUTPUT_VARIABLE layout OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE failed)
if(failed OR NOT layout MATCHES "^{.*}$")
    message(FATAL_ERROR "${LAYOUT_PROGRAM} printed no layout (${failed})")
endif()
# Inside a script element "</" could end it early; JSON reads "<\/" as the same two characters.
string(REPLACE "</" "<\\/" layout "${layout}")

set(style_link [[<link rel="stylesheet" href="zentrix.css">]])
set(module_script [[<script src="zentrix-wasm.js" defer></script>]])
foreach(part style_link module_script)
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

# The module under its contents' names.
get_filename_component(module_folder "${MODULE_SCRIPT}" DIRECTORY)
get_filename_component(module_name "${MODULE_SCRIPT}" NAME_WE)
file(SHA256 "${module_folder}/${module_name}.wasm" wasm_digest)
string(SUBSTRING "${wasm_digest}" 0 12 wasm_digest)
set(wasm_file "zentrix-${wasm_digest}.wasm")
file(READ "${MODULE_SCRIPT}" module_text)
string(FIND "${module_text}" "${module_name}.wasm" found)
if(found EQUAL -1)
    message(FATAL_ERROR "${MODULE_SCRIPT} no longer names ${module_name}.wasm")
endif()
string(REPLACE "${module_name}.wasm" "${wasm_file}" module_text "${module_text}")
string(SHA256 script_digest "${module_text}")
string(SUBSTRING "${script_digest}" 0 12 script_digest)
set(script_file "zentrix-${script_digest}.js")
file(GLOB earlier "${SITE}/zentrix-*.wasm" "${SITE}/zentrix-*.js")
foreach(file IN LISTS earlier)
    get_filename_component(name "${file}" NAME)
    if(NOT name STREQUAL wasm_file AND NOT name STREQUAL script_file)
        file(REMOVE "${file}")
    endif()
endforeach()
configure_file("${module_folder}/${module_name}.wasm" "${SITE}/${wasm_file}" COPYONLY)
file(WRITE "${SITE}/${script_file}" "${module_text}")
string(REPLACE [[href="zentrix-wasm.wasm"]] "href=\"${wasm_file}\"" page "${page}")

string(REPLACE "${style_link}" "<style>\n${style}</style>" page "${page}")
string(REPLACE "${module_script}\n" "<link rel=\"preload\" href=\"${script_file}\" as=\"script\">\n"
    page "${page}")
string(REPLACE "</body>"
    "<script type=\"application/json\" id=\"zentrix-layout\">${layout}</script>\n<script>\n${script}</script>\n<script src=\"${script_file}\"></script>\n</body>"
    page "${page}")
file(WRITE "${OUTPUT}" "${page}")
