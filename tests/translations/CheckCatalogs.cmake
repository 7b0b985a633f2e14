# cmake -DLUPDATE=<lupdate> -DSOURCE_ROOT=<source tree> -DCATALOGS=<folder> -DWORK=<folder> -P CheckCatalogs.cmake
# Collects the texts of the sources into copies of the catalogs, so that a text
# missing from them shows as new, then fails on any message without a finished,
# non-empty translation.
file(GLOB catalogs ${CATALOGS}/*.ts)
if(NOT catalogs)
    message(FATAL_ERROR "no .ts files in ${CATALOGS}")
endif()
file(REMOVE_RECURSE ${WORK})
file(COPY ${catalogs} DESTINATION ${WORK})
set(CATALOGS ${WORK})
include(${SOURCE_ROOT}/translations/UpdateCatalogs.cmake)

file(GLOB catalogs ${WORK}/*.ts)
set(problems "")
set(source "<source>([^<]|<byte value=\"x[0-9a-f]+\"/>)*</source>[ \t\r\n]*")
foreach(catalog ${catalogs})
    file(READ ${catalog} text)
    string(REGEX MATCHALL "${source}<translation type=\"(unfinished|vanished|obsolete)\"" open "${text}")
    string(REGEX MATCHALL "${source}<translation></translation>" empty "${text}")
    foreach(entry ${open} ${empty})
        string(REGEX REPLACE "<source>(.*)</source>.*" "\\1" shown "${entry}")
        get_filename_component(name ${catalog} NAME)
        string(APPEND problems "\n  ${name}: ${shown}")
    endforeach()
endforeach()
if(problems)
    message(FATAL_ERROR "texts without a translation (run the update_translations target, then translate):${problems}")
endif()
