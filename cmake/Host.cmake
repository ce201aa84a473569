# Host build: portable core, host tests, tools; drives the Windows builds.
include(ExternalProject)

find_package(ZLIB REQUIRED)
find_package(GTest REQUIRED)
include(GoogleTest)

set(SETUP_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/tools)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_subdirectory(src)
add_subdirectory(tools)
add_subdirectory(tests/host)
add_subdirectory(tests/pe)

set(SETUP_WIN_ARGS
  -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  -DSETUP_HOST_TOOLS_DIR=${SETUP_HOST_TOOLS_DIR}
  -DSETUP_PAYLOAD_DIR=${SETUP_PAYLOAD_DIR})

ExternalProject_Add(win32
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/win32
  CMAKE_ARGS ${SETUP_WIN_ARGS}
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-i686-w64-mingw32.cmake
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  DEPENDS host_tools)

ExternalProject_Add(win64
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/win64
  CMAKE_ARGS ${SETUP_WIN_ARGS}
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-x86_64-w64-mingw32.cmake
    -DSETUP_I686_DIR=${CMAKE_BINARY_DIR}/win32
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  DEPENDS host_tools win32)

# ctest in this tree also runs the tests of the Windows builds.
file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.cmake
  "subdirs(\"${CMAKE_BINARY_DIR}/win32\")\nsubdirs(\"${CMAKE_BINARY_DIR}/win64\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-tests.cmake)
