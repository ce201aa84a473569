# Windows build (i686 shipped program, or its x86_64 twin with the tests).
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

if(NOT SETUP_HOST_TOOLS_DIR)
  message(FATAL_ERROR "Configure the host build; it drives this one (SETUP_HOST_TOOLS_DIR is unset)")
endif()

# Static run-time: the programs need no DLL beside the system's.
target_link_options(setup_options INTERFACE -static -static-libgcc -static-libstdc++)
target_compile_definitions(setup_options INTERFACE
  WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)

set(ZLIB_LIBRARY ${CMAKE_FIND_ROOT_PATH}/lib/libz.a)
add_library(zlib_static STATIC IMPORTED)
set_target_properties(zlib_static PROPERTIES
  IMPORTED_LOCATION ${ZLIB_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_FIND_ROOT_PATH}/include)

set(SETUP_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh ${SETUP_WINE_PREFIX})

# A GoogleTest program of the Windows build: one CTest test that runs all
# of its cases in one wine64 process (a process start costs seconds under
# Wine). The programs run one at a time: they share the prefix's registry and
# folders.
function(setup_add_win_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest_main setup_options)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES RUN_SERIAL ON TIMEOUT 900)
endfunction()

add_subdirectory(src)
add_subdirectory(payload)
add_subdirectory(resources)
add_subdirectory(src/setup)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  add_subdirectory(tests/win)
  add_subdirectory(tests/ui)
endif()
