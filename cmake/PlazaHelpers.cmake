include(GNUInstallDirs)

# Every installed library and program finds its siblings in the prefix it was
# installed to, wherever that prefix is moved; the build folder is not kept.
set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

# plaza_install_library(<target> <include subfolder> HEADERS ...)
# Installs a library into the PlazaTargets export set, its headers and its
# generated export header into include/<subfolder>, the folder its installed
# users get on their include path.
function(plaza_install_library target subdir)
    cmake_parse_arguments(ARG "" "" "HEADERS" ${ARGN})
    set_target_properties(${target} PROPERTIES
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR})
    install(TARGETS ${target} EXPORT PlazaTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${ARG_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${subdir})
endfunction()

# plaza_add_library(<target> <alias> EXPORT <PREFIX> SOURCES ... PUBLIC ... PRIVATE ...)
# A shared library with hidden visibility, an export header <prefix>_export.h
# defining <PREFIX>_EXPORT, and an alias Vela::<alias>, installed as
# Vela::<alias> with its headers under include/<target with dots as slashes>.
function(plaza_add_library target alias)
    cmake_parse_arguments(ARG "" "EXPORT" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
    add_library(${target} SHARED ${ARG_SOURCES})
    add_library(Vela::${alias} ALIAS ${target})
    set_target_properties(${target} PROPERTIES
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        EXPORT_NAME ${alias})
    string(TOLOWER ${ARG_EXPORT} header)
    generate_export_header(${target}
        BASE_NAME ${ARG_EXPORT}
        EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/${header}_export.h)
    string(REPLACE "." "/" subdir ${target})
    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>
        $<BUILD_INTERFACE:${CMAKE_CURRENT_BINARY_DIR}>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/${subdir}>)
    target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
    # The logging category of the library's log lines (VelaLogObject.h).
    string(TOLOWER "vela.${alias}" log_category)
    target_compile_definitions(${target} PRIVATE VELA_LOG_CATEGORY="${log_category}")
    set(headers ${ARG_SOURCES})
    list(FILTER headers INCLUDE REGEX "\\.h$")
    plaza_install_library(${target} ${subdir}
        HEADERS ${headers} ${CMAKE_CURRENT_BINARY_DIR}/${header}_export.h)
endfunction()

# plaza_add_test(<name> [XVFB] SOURCES ... LINK ...)
# One Qt Test program, registered with CTest and run on the offscreen platform
# with its own cache and data folders so tests never share downloaded files.
# XVFB runs it instead on the xcb platform against a private Xvfb server.
function(plaza_add_test name)
    cmake_parse_arguments(ARG "XVFB" "" "SOURCES;LINK" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test ${ARG_LINK})
    set(platform offscreen)
    if(ARG_XVFB)
        set(platform xcb)
        add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/tests/xvfb/run-on-xvfb.sh $<TARGET_FILE:${name}>)
    else()
        add_test(NAME ${name} COMMAND ${name})
    endif()
    set(home ${CMAKE_BINARY_DIR}/test-home/${name})
    set(environment
        QT_QPA_PLATFORM=${platform}
        XDG_CACHE_HOME=${home}/cache XDG_DATA_HOME=${home}/data XDG_CONFIG_HOME=${home}/config HOME=${home}
        PLAZA_SAMPLE_CATALOG=${CMAKE_BINARY_DIR}/catalog/sample
        ${PLAZA_SANITIZER_ENV})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120 ENVIRONMENT "${environment}")
endfunction()
