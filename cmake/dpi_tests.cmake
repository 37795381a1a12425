# The tests of the program on displays of other resolutions: each group runs
# through tools/with-dpi.sh in a prefix of its own resolution (discovery goes
# the same way), one group at a time per prefix.
file(GLOB QL_DPI_TESTS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/dpi/*_wintest.cpp")
add_executable(wintests_dpi ${QL_DPI_TESTS})
target_compile_options(wintests_dpi PRIVATE ${QL_WARNINGS})
target_link_libraries(wintests_dpi PRIVATE ql_wintest_support GTest::gmock GTest::gtest_main)
add_dependencies(wintests_dpi qinglan)

foreach(dpi 144 192)
  set_property(TARGET wintests_dpi PROPERTY CROSSCOMPILING_EMULATOR
    bash "${CMAKE_SOURCE_DIR}/tools/with-dpi.sh" ${dpi} -- "${CMAKE_SOURCE_DIR}/tools/wine-run.sh")
  gtest_discover_tests(wintests_dpi TEST_PREFIX "dpi${dpi}." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 RESOURCE_LOCK dpi${dpi}_prefix LABELS dpi)
endforeach()
