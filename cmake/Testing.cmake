# GoogleTest from Debian's source package, built with the cross toolchain.
enable_testing()
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Paths as the Windows programs see them (Wine maps / to Z:).
set(ONDRIX_WIN_SOURCE_DIR "Z:${CMAKE_SOURCE_DIR}")
set(ONDRIX_WIN_BINARY_DIR "Z:${CMAKE_BINARY_DIR}")

# ondrix_add_test(<name> SOURCES ... [LIBS ...] [DEPENDS target...] [TIMEOUT s] [NO_GTEST_MAIN]
#                 [SHARED_STATE] [DESKTOP_INPUT])
# One test program = one CTest entry, run under Wine from bin/. SHARED_STATE: the program
# registers devices into, or counts, the system device categories of the one Wine registry
# the run shares, or holds the system-wide card mutexes; such programs take turns. DESKTOP_INPUT:
# the program uses what the one display shares: it moves the mouse or presses keys through the
# system (SendInput, SetCursorPos), holds the mouse (an open menu or drop-down list takes every
# mouse message of the display), takes the foreground or hands it on (activating its windows,
# maximising, a second instance bringing the first forward), or shows windows above the others
# where another program's mouse goes (topmost bars, splash, tips); such programs take turns too.
# A window's own pixels, read through its device context, are the window's: another program's
# window over it does not change them, so reading them needs no turn of its own. Tests get
#   ONDRIX_SOURCE_DIR / ONDRIX_BINARY_DIR (Windows paths, forward slashes) and
#   ONDRIX_TEST_DIR (this test folder, Windows path) as string macros.
function(ondrix_add_test name)
  cmake_parse_arguments(T "NO_GTEST_MAIN;SHARED_STATE;DESKTOP_INPUT" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  if(T_NO_GTEST_MAIN)
    target_link_libraries(${name} PRIVATE gtest gmock ${T_LIBS})
  else()
    target_link_libraries(${name} PRIVATE gtest_main gmock ${T_LIBS})
  endif()
  target_compile_definitions(${name} PRIVATE
    ONDRIX_SOURCE_DIR="${ONDRIX_WIN_SOURCE_DIR}"
    ONDRIX_BINARY_DIR="${ONDRIX_WIN_BINARY_DIR}"
    ONDRIX_TEST_DIR="Z:${CMAKE_CURRENT_SOURCE_DIR}")
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  # A program that crashes inside some COM calls can still end with exit code 0
  # under Wine; its crash report fails the test.
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} FAIL_REGULAR_EXPRESSION "wine: Unhandled")
  set(_locks)
  if(T_SHARED_STATE)
    list(APPEND _locks wine_shared_state)
  endif()
  if(T_DESKTOP_INPUT)
    list(APPEND _locks desktop_input)
  endif()
  if(_locks)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${_locks}")
  endif()
endfunction()

# ondrix_glob_library(<name> [STATIC|SHARED] LIBS ...): a library of every .cpp/.c/.rc in the calling folder.
function(ondrix_glob_library name)
  cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  if(_src)
    add_library(${name} STATIC ${_src})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_LIBS})
  endif()
endfunction()

# ondrix_tiny_volume(<test> <folder>): a 64 KiB volume mounted at <build>/<folder> around the test,
# so that a save can meet a real write error (a full disk). Mounting needs root; without it the
# marker file "tiny-volume" is absent and the test skips what needs the volume.
function(ondrix_tiny_volume test folder)
  set(_tiny ${CMAKE_BINARY_DIR}/${folder})
  add_test(NAME ${test}.MountTinyVolume
           COMMAND bash -c "mkdir -p '${_tiny}' && (mountpoint -q '${_tiny}' || mount -t tmpfs -o size=64k tmpfs '${_tiny}') 2>/dev/null && touch '${_tiny}/tiny-volume' || true")
  add_test(NAME ${test}.UnmountTinyVolume
           COMMAND bash -c "mountpoint -q '${_tiny}' && umount '${_tiny}'; true")
  set_tests_properties(${test}.MountTinyVolume PROPERTIES FIXTURES_SETUP ${test}TinyVolume)
  set_tests_properties(${test}.UnmountTinyVolume PROPERTIES FIXTURES_CLEANUP ${test}TinyVolume)
  set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED ${test}TinyVolume)
endfunction()
