# Windows build (i686 release, or x86-64 for the tests on hosts without
# 32-bit support): the program, its library and the Windows-side tests.
enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)

include(cmake/gtest.cmake)

set(QL_WIN_LIBS msimg32 comctl32 gdiplus ole32 oleaut32 uuid shlwapi winhttp wininet ws2_32 iphlpapi wbemuuid
    advapi32 shell32 user32 gdi32 kernel32)

add_library(ql_core STATIC ${QL_PORTABLE_SOURCES} ${QL_WIN_SOURCES})
target_include_directories(ql_core PUBLIC "${CMAKE_SOURCE_DIR}" "${QL_GENERATED_DIR}")
target_compile_options(ql_core PRIVATE ${QL_WARNINGS})
target_link_libraries(ql_core PUBLIC ${QL_WIN_LIBS})
target_compile_definitions(ql_core PUBLIC QL_TESTDATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")

add_executable(qinglan WIN32 app/main_win.cpp assets/qinglan.rc)
target_compile_options(qinglan PRIVATE ${QL_WARNINGS})
target_link_libraries(qinglan PRIVATE ql_core)
target_link_options(qinglan PRIVATE -municode -s)
# The 32-bit build is the release artifact in dist/; the 64-bit test build
# keeps its program inside its own build tree.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(QL_EXE_DIR "${CMAKE_SOURCE_DIR}/dist")
else()
  set(QL_EXE_DIR "${CMAKE_BINARY_DIR}/bin")
endif()
set_target_properties(qinglan PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${QL_EXE_DIR}")
set_source_files_properties(assets/qinglan.rc PROPERTIES
  OBJECT_DEPENDS "${QL_GENERATED_DIR}/qinglan.manifest;${QL_GENERATED_DIR}/ql_version.h;${CMAKE_SOURCE_DIR}/assets/qinglan.ico")

# One Windows test program per subsystem folder that has *_wintest.cpp files.
# They and the benches share the helpers that start the program and find its
# windows.
set(QL_EXE_PATH "${QL_EXE_DIR}/qinglan.exe")
add_library(ql_wintest_support STATIC EXCLUDE_FROM_ALL tests/win_test_support.cpp)
target_compile_options(ql_wintest_support PRIVATE ${QL_WARNINGS})
target_compile_definitions(ql_wintest_support PUBLIC QL_EXE_PATH="${QL_EXE_PATH}"
  QL_TEST_BINARY_DIR="${CMAKE_BINARY_DIR}" QL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(ql_wintest_support PUBLIC ql_core)
foreach(dir IN LISTS QL_SUBSYSTEMS)
  file(GLOB tests CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/${dir}/*_wintest.cpp")
  if(tests)
    set(target wintests_${dir})
    add_executable(${target} ${tests})
    target_compile_options(${target} PRIVATE ${QL_WARNINGS})
    target_link_libraries(${target} PRIVATE ql_wintest_support GTest::gmock GTest::gtest_main)
    add_dependencies(${target} qinglan)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT 120)
  endif()
endforeach()

# A tool for looking at the pages (tools/screenshots.sh), built on demand.
add_executable(page_screenshots EXCLUDE_FROM_ALL tools/page_screenshots_win.cpp)
target_compile_options(page_screenshots PRIVATE ${QL_WARNINGS})
target_link_libraries(page_screenshots PRIVATE ql_wintest_support)
add_dependencies(page_screenshots qinglan)

file(GLOB QL_BENCH_WIN CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/bench/*_winbench.cpp")
foreach(src IN LISTS QL_BENCH_WIN)
  get_filename_component(name "${src}" NAME_WE)
  add_executable(${name} EXCLUDE_FROM_ALL ${src})
  target_link_libraries(${name} PRIVATE ql_wintest_support)
endforeach()

# The test WMI provider, its tools and the tests that run under it.
include(cmake/fake_wmi.cmake)

# The tests on displays of 150 % and 200 %.
include(cmake/dpi_tests.cmake)
