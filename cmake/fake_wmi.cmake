# The test WMI provider: a stand-in for Wine's wbemprox.dll that serves a
# machine described in a text file (tests/data/wmi/), so the real program
# runs on any machine's data. Test infrastructure only: never part of the
# release program or of ql_core. tools/with-fake-wmi.sh puts it in place.
set(QL_FAKE_WMI_PORTABLE_SOURCES
    "${CMAKE_SOURCE_DIR}/tests/fake_wmi/machine_data.cpp"
    "${CMAKE_SOURCE_DIR}/tests/fake_wmi/provider_mode.cpp"
    "${CMAKE_SOURCE_DIR}/tests/fake_wmi/wql_query.cpp")

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
target_compile_options(wbemprox PRIVATE ${QL_WARNINGS})
target_link_libraries(wbemprox PRIVATE ole32 oleaut32 uuid wbemuuid)
target_link_options(wbemprox PRIVATE -s)
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
