# VARBEK_VERSION_STRING: the project's version, and in a git checkout also what `git describe`
# says of it, so that a build from between releases is told apart. Taken at configure time; a
# commit re-runs the configuration through the index.
set(VARBEK_VERSION_STRING "${PROJECT_VERSION}")
if(NOT VARBEK_VERSION_STRING)
  set(VARBEK_VERSION_STRING "0.0.0")
endif()

find_package(Git QUIET)
if(GIT_FOUND AND EXISTS "${PROJECT_SOURCE_DIR}/.git")
  execute_process(
    COMMAND "${GIT_EXECUTABLE}" describe --tags --always --dirty
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    RESULT_VARIABLE VARBEK_GIT_RESULT
    OUTPUT_VARIABLE VARBEK_GIT_DESCRIBE
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
  # A build of the release's own tag needs no suffix.
  if(VARBEK_GIT_RESULT EQUAL 0 AND VARBEK_GIT_DESCRIBE
     AND NOT VARBEK_GIT_DESCRIBE STREQUAL "v${VARBEK_VERSION_STRING}"
     AND NOT VARBEK_GIT_DESCRIBE STREQUAL "${VARBEK_VERSION_STRING}")
    set(VARBEK_VERSION_STRING "${VARBEK_VERSION_STRING} (${VARBEK_GIT_DESCRIBE})")
  endif()
  if(EXISTS "${PROJECT_SOURCE_DIR}/.git/index")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/.git/index")
  endif()
endif()

# Rewritten only when the text changes, so an unchanged version rebuilds nothing.
file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/generated/varbek_version.hpp" CONTENT [[
#pragma once
// Written by cmake/version.cmake.
inline constexpr const char* varbek_version = "@VARBEK_VERSION_STRING@";
]] @ONLY)
target_include_directories(varbek_jobs PUBLIC "${CMAKE_BINARY_DIR}/generated")
