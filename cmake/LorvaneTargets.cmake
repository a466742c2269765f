# Helpers shared by the folders' CMakeLists.

# Sources of a folder: every .cpp below it, so adding a file needs no edit here.
function(lorvane_sources out dir)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

# Include roots. Sources name the tree's headers by their path from the
# source root ("platform/win/Registry.h"). Instead of the whole root, each
# target sees a folder of its own in the build tree holding links to just the
# source folders its layer may use, and a library passes its folders on to
# whatever links it (PUBLIC); so the compiler already refuses most includes
# that the layering check (tests/house) forbids: xml cannot see the
# framework, the framework cannot see the product or the simulated hosts,
# and the end-to-end tests see neither the product nor the demo host.
# Folders inside one library (the platform's) are the check's to order.
function(lorvane_include_root target scope)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
  foreach(folder IN LISTS ARGN)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT IS_SYMLINK ${root}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

option(LORVANE_TEST_PCH "Precompile the common headers of the test programs and the libraries" ON)

# The libraries' and programs' precompiled header: the standard headers
# nearly every file includes (cmake/StdPch.h), for C++ sources only.
function(lorvane_library_pch target)
  if(LORVANE_TEST_PCH)
    target_precompile_headers(${target} PRIVATE
      $<$<COMPILE_LANGUAGE:CXX>:${PROJECT_SOURCE_DIR}/cmake/StdPch.h>)
  endif()
endfunction()

# What every test program is compiled with, whatever the build type:
# - light optimisation (-O1): tests are compiled far more often than they
#   are debugged, and -O1 compiles much faster than -O2 while still running
#   the optimiser's warnings; the sanitizer build keeps its own flags (no
#   optimisation, line tables only, for exact stack traces);
# - a precompiled header of GoogleTest and the heavy standard headers
#   (tests/support/TestPch.h; no project header, as one seen early can
#   change which overloads a test picks), one per program since each program has
#   definitions of its own. ccache caches the programs' objects only with
#   the sloppiness below, which is set for these targets alone; the CI
#   build uses no ccache and gains most from the header.
function(lorvane_test_build_settings target)
  if(NOT LORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE -O1)
  endif()
  if(NOT LORVANE_TEST_PCH)
    return()
  endif()
  target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support/TestPch.h)
  if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    # clang stamps its headers with their time, which ccache cannot hash.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      target_compile_options(${target} PRIVATE -Xclang -fno-pch-timestamp)
    endif()
    set_target_properties(${target} PROPERTIES CXX_COMPILER_LAUNCHER
      "${CMAKE_COMMAND};-E;env;CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime;${CMAKE_CXX_COMPILER_LAUNCHER}")
  endif()
endfunction()

# Under the sanitizers a process costs far more to start than most tests take
# to run, so there a program's tests run in few processes by default: two
# CTest tests per program, each a shard of its tests ("xml.AllTests.0" and
# ".1"), so that the slowest programs still share the cores; a leak is still
# reported at each process's exit. Run a program with --gtest_filter to single
# tests out.
option(LORVANE_TESTS_ONE_PROCESS "One CTest test per test program (not per test)" ${LORVANE_SANITIZE})

# One GoogleTest program per layer; its tests are discovered at test time and
# carry the layer's name as prefix ("xml.Reader.EmptyDocument"), or, with
# LORVANE_TESTS_ONE_PROCESS, run as the shards "<layer>.AllTests.N".
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
  lorvane_include_root(${layer}_tests PRIVATE tests/support tests/${layer})
  target_link_libraries(${layer}_tests PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${layer}_tests PRIVATE
    LORVANE_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    LORVANE_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  lorvane_test_build_settings(${layer}_tests)
  if(LORVANE_TESTS_ONE_PROCESS)
    # Two shards a program, so that the slowest programs share the cores.
    foreach(shard 0 1)
      add_test(NAME ${layer}.AllTests.${shard} COMMAND ${layer}_tests)
      set_tests_properties(${layer}.AllTests.${shard} PROPERTIES ENVIRONMENT
        "LORVANE_BIN_DIR=${CMAKE_BINARY_DIR}/bin;GTEST_TOTAL_SHARDS=2;GTEST_SHARD_INDEX=${shard}")
    endforeach()
  else()
    gtest_discover_tests(${layer}_tests TEST_PREFIX "${layer}." DISCOVERY_MODE PRE_TEST
      PROPERTIES ENVIRONMENT "LORVANE_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
  endif()
endfunction()

# An add-in library as Outlook loads it: "<target>.so" beside the programs,
# from sources linked with libs, built with hidden visibility, and exporting
# only what the version script exports (the four COM entry points), so that
# its live-object count and its form classes are its own.
function(lorvane_addin_library target exports)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${target} MODULE ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX ".so"
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${exports})
  target_link_options(${target} PRIVATE -Wl,--version-script=${exports})
  # Every symbol must resolve at link time (the sanitizers' runtime comes
  # with the program, so their build cannot check this).
  if(NOT LORVANE_SANITIZE)
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
  endif()
endfunction()

# Embeds files in a program or library as its resources (platform/win/
# Resources.h): lorvane_embed_resources(target TYPE NAME FILE [TYPE NAME FILE]...)
# with TYPE one of RCDATA, GROUP_ICON, BITMAP. A source generated from the
# files is added to the target itself (never to a static library, whose
# unreferenced objects the linker would drop), so each module has its own.
function(lorvane_embed_resources target)
  set(entries "")
  set(files "")
  set(args ${ARGN})
  list(LENGTH args count)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 3)
    math(EXPR n "${i} + 1")
    math(EXPR f "${i} + 2")
    list(GET args ${i} type)
    list(GET args ${n} name)
    list(GET args ${f} file)
    list(APPEND entries "${type}|${name}|${file}")
    list(APPEND files ${file})
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  # The entries travel as one argument, joined by "^" rather than ";".
  string(REPLACE ";" "^" entries_arg "${entries}")
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} "-DENTRIES=${entries_arg}" -DOUT=${out}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedResources.cmake
    DEPENDS ${files} ${CMAKE_SOURCE_DIR}/cmake/EmbedResources.cmake
    COMMENT "Embedding resources in ${target}" VERBATIM)
  target_sources(${target} PRIVATE ${out})
endfunction()

# The name a shared library is loaded by (its SONAME), for code that loads it
# at run time: read from the file with objdump, else the file's own name.
function(lorvane_shared_library_name out library)
  get_filename_component(name "${library}" NAME)
  if(CMAKE_OBJDUMP)
    execute_process(COMMAND "${CMAKE_OBJDUMP}" -p "${library}"
      OUTPUT_VARIABLE headers ERROR_QUIET RESULT_VARIABLE failed)
    if(NOT failed AND headers MATCHES "SONAME[ \t]+([^ \t\r\n]+)")
      set(name "${CMAKE_MATCH_1}")
    endif()
  endif()
  set(${out} "${name}" PARENT_SCOPE)
endfunction()
