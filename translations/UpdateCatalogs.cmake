# cmake -DLUPDATE=<lupdate> -DSOURCE_ROOT=<source tree> -DCATALOGS=<folder> -P UpdateCatalogs.cmake
# Collects the user-visible texts of each shipped part into its catalog in CATALOGS.
# Line numbers are left out so that edits elsewhere do not churn the catalogs.
set(parts "plaza_en.ts=plaza" "vela_en.ts=host" "plaza-host_en.ts=apps/plaza-host")
foreach(part ${parts})
    string(REPLACE "=" ";" pair ${part})
    list(GET pair 0 catalog)
    list(GET pair 1 folder)
    execute_process(
        COMMAND ${LUPDATE} -silent -locations none -no-obsolete -source-language zh_CN -target-language en
                ${SOURCE_ROOT}/${folder} -ts ${CATALOGS}/${catalog}
        RESULT_VARIABLE result)
    if(result)
        message(FATAL_ERROR "lupdate failed on ${folder}")
    endif()
endforeach()
