# Test helpers shared by every folder.
#
# zk_add_gtest(name SOURCES ... LIBS ...)
#   A GoogleTest executable registered with ctest. In a Windows tree it runs under
#   Wine (CMAKE_CROSSCOMPILING_EMULATOR) inside the run's private Wine environment.
# zk_wine_test(testname)
#   Gives an add_test() test of a Windows tree the Wine environment (prefix, display).
# zk_add_fuzzer(name SOURCES ... LIBS ... [SEEDS dir] [SMOKE_SECONDS n])
#   A libFuzzer target (fuzz tree only); ctest runs it for a short smoke period.
# Variables for tests: ZK_WINE_DIR (Windows trees), ZK_SOURCE_DIR.

set(ZK_SOURCE_DIR ${CMAKE_SOURCE_DIR})

if(ZK_BUILD_TESTS)
  enable_testing()
  if(WIN32)
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

if(WIN32 AND ZK_BUILD_TESTS)
  set(ZK_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR env ZK_WINE_DIR=${ZK_WINE_DIR} ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)
  add_test(NAME wine_env_start COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh start ${ZK_WINE_DIR})
  add_test(NAME wine_env_stop COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-env.sh stop ${ZK_WINE_DIR})
  set_tests_properties(wine_env_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 180)
  set_tests_properties(wine_env_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

function(zk_wine_test testname)
  if(WIN32)
    set_property(TEST ${testname} APPEND PROPERTY FIXTURES_REQUIRED wine)
    set_property(TEST ${testname} APPEND PROPERTY ENVIRONMENT ZK_WINE_DIR=${ZK_WINE_DIR})
    # Wine tests share one wineserver and display; GUI and installer tests must not overlap.
    set_property(TEST ${testname} APPEND PROPERTY RESOURCE_LOCK wine_session)
  endif()
endfunction()

function(zk_add_gtest name)
  if(NOT ZK_BUILD_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
  if(WIN32)
    zk_wine_test(${name})
  endif()
endfunction()

if(ZK_FUZZ)
  enable_testing()
  add_custom_target(fuzzers)
endif()

function(zk_add_fuzzer name)
  if(NOT ZK_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "SEEDS;SMOKE_SECONDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES EXCLUDE_FROM_ALL ON)
  add_dependencies(fuzzers ${name})
  if(NOT ARG_SMOKE_SECONDS)
    set(ARG_SMOKE_SECONDS 20)
  endif()
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}.corpus)
  set(seeds "")
  if(ARG_SEEDS)
    set(seeds ${ARG_SEEDS})
  endif()
  add_test(NAME ${name}
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz-smoke.sh $<TARGET_FILE:${name}> ${corpus} ${ARG_SMOKE_SECONDS} ${seeds})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600 LABELS fuzz)
endfunction()
