# Native build: portable logic + unit tests, under ASan and UBSan.
if(QL_SANITIZE)
  set(QL_SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${QL_SAN_FLAGS})
  add_link_options(${QL_SAN_FLAGS})
endif()
find_package(Iconv REQUIRED)
if(QL_FUZZ)
  # Coverage for the fuzzers in the library they exercise; -O1 as libFuzzer
  # advises (unoptimised code runs the targets several times slower), the
  # build type still Debug so that every assertion stays in.
  add_compile_options(-fsanitize=fuzzer-no-link -O1)
endif()

add_library(ql_core STATIC ${QL_PORTABLE_SOURCES})
target_include_directories(ql_core PUBLIC "${CMAKE_SOURCE_DIR}" "${QL_GENERATED_DIR}")
target_compile_options(ql_core PRIVATE ${QL_WARNINGS})
target_link_libraries(ql_core PUBLIC Iconv::Iconv)
target_compile_definitions(ql_core PUBLIC QL_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")

include(cmake/fake_wmi.cmake)

if(QL_FUZZ)
  file(GLOB QL_FUZZERS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp")
  foreach(src IN LISTS QL_FUZZERS)
    get_filename_component(name "${src}" NAME_WE)
    add_executable(${name} ${src})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ql_core)
  endforeach()
  return()  # the fuzz build holds only the library and its fuzzers
endif()

include(cmake/gtest.cmake)

file(GLOB_RECURSE QL_NATIVE_TESTS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/*_test.cpp")
add_executable(native_tests ${QL_NATIVE_TESTS} ${QL_FAKE_WMI_PORTABLE_SOURCES})
target_compile_options(native_tests PRIVATE ${QL_WARNINGS})
target_link_libraries(native_tests PRIVATE ql_core GTest::gmock GTest::gtest_main)
gtest_discover_tests(native_tests DISCOVERY_MODE PRE_TEST)

file(GLOB QL_BENCH_NATIVE CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/bench/*_bench.cpp")
foreach(src IN LISTS QL_BENCH_NATIVE)
  get_filename_component(name "${src}" NAME_WE)
  add_executable(${name} EXCLUDE_FROM_ALL ${src})
  target_link_libraries(${name} PRIVATE ql_core)
endforeach()
