# Writes the service worker from its template: the list of every file of the site with its
# SHA-256, and a cache name made from them, so that a changed site replaces the cached one.
# cmake -DSITE=<folder> -DTEMPLATE=<sw.js.in> -DOUTPUT=<sw.js> -P write-service-worker.cmake
file(GLOB_RECURSE files RELATIVE "${SITE}" "${SITE}/*")
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(digests "")
file(SHA256 "${SITE}/index.html" page_digest)
set(list "    ['./', '${page_digest}'],\n")
foreach(file IN LISTS files)
    file(SHA256 "${SITE}/${file}" digest)
    string(APPEND digests "${digest}${file}")
    string(APPEND list "    ['./${file}', '${digest}'],\n")
endforeach()
string(SHA256 version "${digests}")
string(SUBSTRING "${version}" 0 16 ZENTRIX_SITE_VERSION)
set(ZENTRIX_SITE_FILES "${list}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
