# Sources are found by convention so that each subsystem folder owns its
# files: foo.cpp is portable, foo_win.cpp is Windows-only; tests/x/*_test.cpp
# are native unit tests, tests/x/*_wintest.cpp run under Windows (Wine).
set(QL_SUBSYSTEMS app inventory net launcher support platform)

set(QL_PORTABLE_SOURCES)
set(QL_WIN_SOURCES)
foreach(dir IN LISTS QL_SUBSYSTEMS)
  file(GLOB found CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${dir}/*.cpp")
  foreach(f IN LISTS found)
    get_filename_component(name "${f}" NAME_WE)
    if(name MATCHES "_win$")
      list(APPEND QL_WIN_SOURCES "${f}")
    elseif(name MATCHES "_posix$")
      if(NOT WIN32)
        list(APPEND QL_PORTABLE_SOURCES "${f}")
      endif()
    else()
      list(APPEND QL_PORTABLE_SOURCES "${f}")
    endif()
  endforeach()
endforeach()
# The process entry is not part of the library the tests link.
list(FILTER QL_WIN_SOURCES EXCLUDE REGEX "/app/main_win\\.cpp$")

# Sources are UTF-8; every narrow literal is a GBK text in the program.
# GB18030 rather than CP936: its two-byte characters are GBK's, and unlike
# CP936 it can also encode the few non-GBK characters in the standard
# library's own headers (<chrono>'s "µs"), which CP936 refuses to compile.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=GB18030)
elseif(QL_FUZZ)
  # clang knows no execution charset but UTF-8. The fuzzers look for memory
  # faults, which do not depend on the bytes of the literals.
  message(STATUS "fuzz build: string literals stay UTF-8")
else()
  message(FATAL_ERROR "GBK literals need GCC (-fexec-charset)")
endif()
