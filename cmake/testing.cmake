# morvane_add_gtest(<target>): registers a GoogleTest executable with CTest.
# Host: one CTest test per test case. win64: the whole executable as one test,
# run under Wine in a fresh prefix (see cmake/wine.cmake).
function(morvane_add_gtest target)
    # Test code keeps exceptions and RTTI (see morvane_product_flags).
    set_target_properties(${target} PROPERTIES MORVANE_TEST_CODE ON)
    if(NOT CMAKE_CROSSCOMPILING)
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 30)
    elseif(MORVANE_TARGET STREQUAL "win64")
        morvane_add_wine_test(${target} $<TARGET_FILE:${target}>)
    endif()
endfunction()
