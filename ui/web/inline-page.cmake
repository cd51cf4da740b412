# Writes the page with its style sheet, the windows' design and its script inside it, so that the
# browser has them with the page itself instead of asking for them after it: the page shows the
# window as soon as its script runs. The page's script is its parts (site/js/*.js) in the order
# index.html lists them, each a name of its own in one function's scope. The module's own script
# is then the only one fetched, and it runs last.
# cmake -DSOURCE=<site folder> -DOUTPUT=<index.html> -DNODE=<node> -DLAYOUT_PROGRAM=<program.js>
#       -P inline-page.cmake
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

string(REPLACE "${style_link}" "<style>\n${style}</style>" page "${page}")
string(REPLACE "${module_script}\n" [[<link rel="preload" href="zentrix-wasm.js" as="script">
]] page "${page}")
string(REPLACE "</body>"
    "<script type=\"application/json\" id=\"zentrix-layout\">${layout}</script>\n<script>\n${script}</script>\n<script src=\"zentrix-wasm.js\"></script>\n</body>"
    page "${page}")
file(WRITE "${OUTPUT}" "${page}")
