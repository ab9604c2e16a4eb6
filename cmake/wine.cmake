# win64 build: every Windows test program runs under Wine, each run in a
# throwaway prefix of its own (tests/wine/run-wine.sh does the work).
#
# The prefixes are hard-linked copies of one template prefix, made once per
# ctest run by the fixture test below, so that no run sees what an earlier
# one left in its registry or its drive C:.
#
# morvane_add_wine_test(<name> <exe> [args...] [ENV <VAR=value>...])
#   adds the CTest test <name> that runs <exe> (a path, or a generator
#   expression such as $<TARGET_FILE:tgt>) with [args...] under Wine and
#   passes when the program exits with 0. ENV sets variables for the run;
#   Wine hands them on to the program, and WINEDEBUG there replaces the
#   silent default.

set(MORVANE_WINE64 /usr/lib/wine/wine64)
set(MORVANE_WINESERVER /usr/lib/wine/wineserver)
foreach(wine_program IN ITEMS ${MORVANE_WINE64} ${MORVANE_WINESERVER})
    if(NOT EXISTS ${wine_program})
        message(FATAL_ERROR "${wine_program} is missing: run scripts/install-deps.sh")
    endif()
endforeach()

# The template and the runs live in the build tree.
set(MORVANE_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
set(MORVANE_WINE_RUN ${PROJECT_SOURCE_DIR}/tests/wine/run-wine.sh ${MORVANE_WINE_STATE})

# Everything that runs a target of this build (add_test with a target name,
# gtest_discover_tests) goes through the same wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${MORVANE_WINE_RUN})

add_test(NAME wine_prefix_template
         COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/run-wine.sh --template ${MORVANE_WINE_STATE})
set_tests_properties(wine_prefix_template PROPERTIES
    FIXTURES_SETUP morvane_wine_prefix
    TIMEOUT 180)
add_test(NAME wine_prefix_sweep
         COMMAND ${PROJECT_SOURCE_DIR}/tests/wine/run-wine.sh --sweep ${MORVANE_WINE_STATE})
set_tests_properties(wine_prefix_sweep PROPERTIES
    FIXTURES_CLEANUP morvane_wine_prefix)

function(morvane_add_wine_test name exe)
    cmake_parse_arguments(PARSE_ARGV 2 wine_test "" "" "ENV")
    add_test(NAME ${name} COMMAND ${MORVANE_WINE_RUN} ${exe} ${wine_test_UNPARSED_ARGUMENTS})
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED morvane_wine_prefix)
    if(wine_test_ENV)
        set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${wine_test_ENV})
    endif()
endfunction()
