# Builds the libFuzzer targets of the portable code with clang++ (a project of
# its own in tests/fuzz) and replays each target's corpus once as a test.
# Longer runs that grow the corpora: scripts/fuzz.sh.
find_program(SORATN2_CLANGXX NAMES clang++ clang++-14)
if(NOT SORATN2_CLANGXX)
  message(STATUS "No clang++: the fuzz targets are left out")
  return()
endif()

include(ExternalProject)

set(SORATN2_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)

ExternalProject_Add(fuzz
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tests/fuzz
  BINARY_DIR ${SORATN2_FUZZ_DIR}
  CMAKE_ARGS
    -DCMAKE_CXX_COMPILER=${SORATN2_CLANGXX}
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

# -runs=0 runs every file of the corpus once and nothing else; a crash, a
# broken invariant or an input that runs for more than ten seconds fails the
# test and leaves the input in the fuzz folder.
foreach(target split_path full_width strings name_correction folder_name lent_places)
  add_test(NAME fuzz.${target}
    COMMAND ${SORATN2_FUZZ_DIR}/bin/${target} -runs=0 -timeout=10
            ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${target}
    WORKING_DIRECTORY ${SORATN2_FUZZ_DIR})
  set_tests_properties(fuzz.${target} PROPERTIES TIMEOUT 120)
endforeach()
