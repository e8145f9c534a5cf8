# zirrup_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [TIMEOUT <s>] [LABELS <l...>]
#                 [NO_TEST])
#
# Builds one Qt Test executable and registers it with ctest (unless NO_TEST: then entries are
# registered with zirrup_register_test). Every test runs offscreen with its own XDG directories
# under the build tree, so no test sees the user's files or another test's caches, and tests can
# run in parallel.
function(zirrup_add_test name)
    cmake_parse_arguments(ARG "NO_TEST" "TIMEOUT" "SOURCES;LIBRARIES;LABELS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES})
    target_compile_definitions(${name} PRIVATE
        ZIRRUP_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}"
        ZIRRUP_BINARY_DIR="${CMAKE_BINARY_DIR}")
    if(NOT ARG_NO_TEST)
        zirrup_register_test(${name} COMMAND ${name} TIMEOUT ${ARG_TIMEOUT} LABELS ${ARG_LABELS})
    endif()
endfunction()

# zirrup_register_test(<name> COMMAND <command...> [TIMEOUT <s>] [LABELS <l...>]): one ctest entry
# with a fresh home of its own for every run.
function(zirrup_register_test name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "COMMAND;LABELS" ${ARGN})
    add_test(NAME ${name} COMMAND ${ARG_COMMAND})
    set(home ${CMAKE_BINARY_DIR}/testhome/${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT ${ARG_TIMEOUT}
        LABELS "${ARG_LABELS}"
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${home}/config;XDG_CACHE_HOME=${home}/cache;XDG_DATA_HOME=${home}/data;XDG_RUNTIME_DIR=${home}/runtime;HOME=${home};DBUS_SESSION_BUS_ADDRESS=disabled:;ZIRRUP_SERVICE_URL=;http_proxy=;QT_LOGGING_RULES=qt.qpa.*=false")
    add_test(NAME ${name}_home COMMAND sh -c "rm -rf '${home}' && mkdir -p -m 700 '${home}/runtime'")
    set_tests_properties(${name}_home PROPERTIES FIXTURES_SETUP ${name}_home_fixture)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED ${name}_home_fixture)
endfunction()
