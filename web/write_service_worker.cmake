# Writes SITE/service-worker.js: the site's files, each with its SHA-256,
# and the site's version, a hash of them all and of the worker's code,
# ahead of that code.
#   cmake -DSITE=DIR -DFILES=LIST -DCODE=service-worker.js -P write_service_worker.cmake
# LIST holds a line "precached NAME" or "on-demand NAME" for each file, with
# NAME relative to SITE.
file(STRINGS "${FILES}" lines)
file(READ "${CODE}" code)
set(entries "")
set(everything "${code}")
foreach(line IN LISTS lines)
    if(NOT line MATCHES "^(precached|on-demand) (.+)$")
        message(FATAL_ERROR "${FILES}: cannot read \"${line}\"")
    endif()
    set(kind ${CMAKE_MATCH_1})
    set(name ${CMAKE_MATCH_2})
    file(SHA256 "${SITE}/${name}" hash)
    string(APPEND entries "  ['${name}', '${hash}', '${kind}'],\n")
    string(APPEND everything "${name} ${hash}\n")
endforeach()
string(SHA256 version "${everything}")
string(SUBSTRING "${version}" 0 16 version)
file(WRITE "${SITE}/service-worker.js"
     "// Written by the build: the site's version and files.\n"
     "const VERSION = '${version}';\n"
     "const FILES = [\n${entries}];\n\n${code}")
