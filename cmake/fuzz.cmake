# Fuzz targets (tests/fuzz), included by the top-level CMakeLists.txt after varbek_app.
# varbek_fuzz replays each target's corpus (the test fuzz_corpus) and runs bounded random
# mutation (scripts/fuzz.sh ci). With VARBEK_FUZZ_AFL the program and the targets report
# GCC trace-pc coverage to afl-fuzz through varbek_fuzz_afl (scripts/fuzz.sh campaign).
if(WIN32)
  return()
endif()
option(VARBEK_FUZZ "Build the fuzz driver and replay the fuzz corpus as a test" ON)
option(VARBEK_FUZZ_AFL "Instrument the program for afl-fuzz and build varbek_fuzz_afl" OFF)
if(NOT VARBEK_FUZZ AND NOT VARBEK_FUZZ_AFL)
  return()
endif()

set(VARBEK_FUZZ_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz)
file(GLOB VARBEK_FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${VARBEK_FUZZ_DIR}/targets/*.cpp)
add_library(varbek_fuzz_targets STATIC ${VARBEK_FUZZ_DIR}/fuzz.cpp ${VARBEK_FUZZ_TARGET_SOURCES})
target_include_directories(varbek_fuzz_targets PUBLIC ${VARBEK_FUZZ_DIR})
target_link_libraries(varbek_fuzz_targets PUBLIC varbek_app varbek_sample)

if(VARBEK_FUZZ_AFL)
  # The runtime takes the coverage callbacks, so it is the one part left uninstrumented; every
  # program of this build links it through varbek_core.
  add_library(varbek_fuzz_runtime STATIC ${VARBEK_FUZZ_DIR}/afl_runtime_posix.cpp)
  foreach(library varbek_core varbek_text varbek_table varbek_tables varbek_event varbek_music varbek_jobs
                  varbek_app varbek_fuzz_targets)
    target_compile_options(${library} PRIVATE -fsanitize-coverage=trace-pc)
  endforeach()
  target_link_libraries(varbek_core PUBLIC varbek_fuzz_runtime)
  add_executable(varbek_fuzz_afl ${VARBEK_FUZZ_DIR}/afl_main.cpp)
  target_link_libraries(varbek_fuzz_afl PRIVATE varbek_fuzz_targets varbek_fuzz_runtime)
endif()

if(VARBEK_FUZZ)
  add_executable(varbek_fuzz ${VARBEK_FUZZ_DIR}/driver.cpp)
  target_link_libraries(varbek_fuzz PRIVATE varbek_fuzz_targets)
  if(VARBEK_TESTS)
    add_test(NAME fuzz_corpus COMMAND varbek_fuzz check all ${VARBEK_FUZZ_DIR}/corpus
                                      --crash-dir ${CMAKE_BINARY_DIR}/fuzz-crashes)
  endif()
endif()
