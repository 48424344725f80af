# Writes the service worker from its template: the cache is named after the version and a hash of
# every file it keeps, so each release (and each rebuild that changes a file) gets a new cache and
# the old one is dropped.
#   cmake -DTEMPLATE=sw.js.in -DOUTPUT=sw.js -DVERSION=1.0.0.0 -DFILES=a;b;c -P service_worker.cmake
set(contents "")
set(names "\"./\"")
foreach(file IN LISTS FILES)
    file(SHA256 ${file} hash)
    get_filename_component(name ${file} NAME)
    string(APPEND contents "${name} ${hash}\n")
    string(APPEND names ", \"${name}\"")
endforeach()
string(SHA256 hash "${contents}")
string(SUBSTRING ${hash} 0 12 hash)
set(CACHE_NAME "krivoklyun-${VERSION}-${hash}")
set(CACHED_FILES "${names}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
