# Writes the service worker from its template, with each file it keeps and that file's SHA-256.
# The release is named after the version and a hash of them all, so each release (and each rebuild
# that changes a file) gets a new cache, and the old one is dropped.
#   cmake -DTEMPLATE=sw.js.in -DOUTPUT=sw.js -DVERSION=1.0.0.0 -DFILES=a;b;c -P service_worker.cmake
set(contents "")
set(KEPT "")
foreach(file IN LISTS FILES)
    file(SHA256 ${file} hash)
    get_filename_component(name ${file} NAME)
    string(APPEND contents "${name} ${hash}\n")
    if(KEPT)
        string(APPEND KEPT ", ")
    endif()
    string(APPEND KEPT "\"${name}\": \"${hash}\"")
endforeach()
string(SHA256 hash "${contents}")
string(SUBSTRING ${hash} 0 12 hash)
set(RELEASE "${VERSION}-${hash}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
