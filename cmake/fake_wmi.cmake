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

