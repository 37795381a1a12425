# The test WMI provider: a stand-in for Wine's wbemprox.dll that serves a
# machine described in a text file (tests/data/wmi/), so the real program
# runs on any machine's data. Test infrastructure only: never part of the
# release program or of ql_core. tools/with-fake-wmi.sh puts it in place.
set(QL_FAKE_WMI_PORTABLE_SOURCES
    "${CMAKE_SOURCE_DIR}/tests/fake_wmi/machine_data.cpp"
    "${CMAKE_SOURCE_DIR}/tests/fake_wmi/provider_mode.cpp"
    "${CMAKE_SOURCE_DIR}/tests/fake_wmi/wql_query.cpp")

if(QL_FUZZ)
  # The data file and query readers take text they do not control.
  add_executable(fake_wmi_data_fuzz tests/fake_wmi/machine_data_fuzz.cpp ${QL_FAKE_WMI_PORTABLE_SOURCES})
  target_include_directories(fake_wmi_data_fuzz PRIVATE "${CMAKE_SOURCE_DIR}")
  target_compile_options(fake_wmi_data_fuzz PRIVATE ${QL_WARNINGS})
  target_link_options(fake_wmi_data_fuzz PRIVATE -fsanitize=fuzzer)
endif()
if(NOT WIN32)
  return()
endif()

# Everything lands in one folder of the build tree, where the runner looks.
set(QL_FAKE_WMI_DIR "${CMAKE_BINARY_DIR}/fake_wmi")
set(QL_FAKE_WMI_COMMON "${CMAKE_SOURCE_DIR}/tests/fake_wmi/com_object_win.cpp"
    "${CMAKE_SOURCE_DIR}/tests/fake_wmi/data_file_win.cpp")

add_library(wbemprox SHARED ${QL_FAKE_WMI_PORTABLE_SOURCES} ${QL_FAKE_WMI_COMMON}
            tests/fake_wmi/class_object_win.cpp tests/fake_wmi/locator_win.cpp tests/fake_wmi/services_win.cpp
            tests/fake_wmi/wbemprox_win.cpp tests/fake_wmi/wbemprox.def)
set_target_properties(wbemprox PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY "${QL_FAKE_WMI_DIR}")
target_include_directories(wbemprox PRIVATE "${CMAKE_SOURCE_DIR}")
# Sized for what it is: most of it is the static C++ runtime.
target_compile_options(wbemprox PRIVATE ${QL_WARNINGS} -Os -ffunction-sections -fdata-sections)
target_link_libraries(wbemprox PRIVATE ole32 oleaut32 uuid wbemuuid)
target_link_options(wbemprox PRIVATE -s -Wl,--gc-sections)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  # The .def names the stdcall exports undecorated.
  target_link_options(wbemprox PRIVATE -Wl,--enable-stdcall-fixup)
endif()

foreach(tool fake_wmi_registry fake_wmi_probe)
  if(tool STREQUAL fake_wmi_registry)
    add_executable(${tool} tests/fake_wmi/machine_registry_main_win.cpp ${QL_FAKE_WMI_PORTABLE_SOURCES}
                   ${QL_FAKE_WMI_COMMON})
  else()
    add_executable(${tool} tests/fake_wmi/probe_main_win.cpp ${QL_FAKE_WMI_COMMON})
  endif()
  set_target_properties(${tool} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${QL_FAKE_WMI_DIR}")
  target_include_directories(${tool} PRIVATE "${CMAKE_SOURCE_DIR}")
  target_compile_options(${tool} PRIVATE ${QL_WARNINGS})
  target_link_libraries(${tool} PRIVATE ole32 oleaut32 uuid wbemuuid advapi32)
  target_link_options(${tool} PRIVATE -municode -s)
endforeach()

# The tests that need the provider. A test program cannot move itself into
# another prefix, so CTest starts each of them through the runner, with the
# machine and mode of its group; discovery goes the same way.
file(GLOB QL_FAKE_WMI_TESTS CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/fake_wmi/*_wintest.cpp")
add_executable(wintests_fake_wmi ${QL_FAKE_WMI_TESTS} tests/fake_wmi/fake_wmi_wintest_support.cpp)
target_compile_options(wintests_fake_wmi PRIVATE ${QL_WARNINGS})
target_compile_definitions(wintests_fake_wmi PRIVATE QL_FAKE_WMI_DIR="${QL_FAKE_WMI_DIR}")
target_link_libraries(wintests_fake_wmi PRIVATE ql_wintest_support GTest::gmock GTest::gtest_main)
add_dependencies(wintests_fake_wmi qinglan wbemprox fake_wmi_registry fake_wmi_probe)

function(ql_fake_wmi_tests suites machine mode)
  set_property(TARGET wintests_fake_wmi PROPERTY CROSSCOMPILING_EMULATOR
    env "QL_FAKE_WMI_DIR=${QL_FAKE_WMI_DIR}" bash "${CMAKE_SOURCE_DIR}/tools/with-fake-wmi.sh"
    "${CMAKE_SOURCE_DIR}/tests/data/wmi/${machine}" ${mode} -- "${CMAKE_SOURCE_DIR}/tools/wine-run.sh")
  gtest_discover_tests(wintests_fake_wmi TEST_FILTER "${suites}" DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120 RESOURCE_LOCK fake_wmi_prefix LABELS fake_wmi)
endfunction()
ql_fake_wmi_tests("WorkedExample*:ProviderCom.*:ProviderModes.*:BadMachineFile*:EnginesOnWorkedExample*" worked-example.txt
                  "")
ql_fake_wmi_tests("UnusualMachine*" unusual-machine.txt "")
ql_fake_wmi_tests("EnginesOnOddValues*:OddValuesReport*" odd-values.txt "")
ql_fake_wmi_tests("UnavailableWmi*" worked-example.txt fail)
ql_fake_wmi_tests("SlowWmi*" worked-example.txt slow:300)
ql_fake_wmi_tests("HungWmi*" worked-example.txt hang)
ql_fake_wmi_tests("HealthySlowWmi*" worked-example.txt slow:2500)
ql_fake_wmi_tests("LateWmi*" worked-example.txt slow:10500)
