# Helpers shared by the folders' CMakeLists.

# Sources of a folder: every .cpp below it, so adding a file needs no edit here.
function(lorvane_sources out dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# One GoogleTest program per layer; its tests are discovered at test time and
# carry the layer's name as prefix ("xml.Reader.EmptyDocument").
# EXCLUDE takes regular expressions of source paths that belong to something
# else (a library that the tests load, in a subfolder of its own).
function(lorvane_test_program layer)
  cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "${pattern}")
  endforeach()
  if(NOT srcs)
    return()
  endif()
  add_executable(${layer}_tests ${srcs})
  target_link_libraries(${layer}_tests PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${layer}_tests PRIVATE
    LORVANE_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    LORVANE_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${layer}_tests TEST_PREFIX "${layer}." DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "LORVANE_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
endfunction()
