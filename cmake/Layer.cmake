# The warnings every target of our own code is built with: the set the code
# base keeps clean, as errors with LOGVIEWER_WERROR.
function(logviewer_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wpedantic -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual)
  if(LOGVIEWER_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# One library target per layer folder. Sources are collected from the folder
# so that a new file pair needs no build edit; a layer without sources yet is
# an interface target, so that its dependants still link.
function(logviewer_layer name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(sources)
    add_library(${name} STATIC ${sources})
    logviewer_warnings(${name})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# One GoogleTest executable per test folder, every test registered with CTest.
# Tests never need a display: Qt runs on its offscreen platform.
function(logviewer_tests name)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  logviewer_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    LOGVIEWER_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # Every test has a time limit, so that a loop that stops making progress
  # fails at once instead of stalling the whole run; the stress tests, many
  # times slower under the sanitizers, get longer.
  set(stress_tests "MouseStress.*:ParallelLoad.*:*MergedColumns*")
  gtest_discover_tests(${name}
    TEST_FILTER "-${stress_tests}"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES)
  gtest_discover_tests(${name}
    TEST_FILTER "${stress_tests}"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 900
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES)
endfunction()
