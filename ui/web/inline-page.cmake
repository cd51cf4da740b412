# Writes the page with its style sheet, the windows' design and its script inside it, so that the
# browser has them with the page itself instead of asking for them after it: the page shows the
# window as soon as its script runs. The module's own script is then the only one fetched, and it
# runs last.
# cmake -DSOURCE=<site folder> -DOUTPUT=<index.html> -DNODE=<node> -DLAYOUT_PROGRAM=<program.js>
#       -P inline-page.cmake
file(READ "${SOURCE}/index.html" page)
file(READ "${SOURCE}/zentrix.css" style)
file(READ "${SOURCE}/zentrix.js" script)
execute_process(COMMAND "${NODE}" "${LAYOUT_PROGRAM}"
    OUTPUT_VARIABLE layout OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE failed)
if(failed OR NOT layout MATCHES "^{.*}$")
    message(FATAL_ERROR "${LAYOUT_PROGRAM} printed no layout (${failed})")
endif()
# Inside a script element "</" could end it early; JSON reads "<\/" as the same two characters.
string(REPLACE "</" "<\\/" layout "${layout}")

set(style_link [[<link rel="stylesheet" href="zentrix.css">]])
set(scripts [[<script src="zentrix.js" defer></script>
<script src="zentrix-wasm.js" defer></script>]])
foreach(part style_link scripts)
    string(FIND "${page}" "${${part}}" found)
    if(found EQUAL -1)
        message(FATAL_ERROR "index.html no longer holds: ${${part}}")
    endif()
endforeach()

string(REPLACE "${style_link}" "<style>\n${style}</style>" page "${page}")
string(REPLACE "${scripts}" [[<link rel="preload" href="zentrix-wasm.js" as="script">]] page "${page}")
string(REPLACE "</body>"
    "<script type=\"application/json\" id=\"zentrix-layout\">${layout}</script>\n<script>\n${script}</script>\n<script src=\"zentrix-wasm.js\"></script>\n</body>"
    page "${page}")
file(WRITE "${OUTPUT}" "${page}")
