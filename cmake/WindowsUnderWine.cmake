# Cross-builds the Windows program and its tests with mingw-w64 and runs the
# Windows tests under Wine, once under a Japanese and once under an English
# locale: the program must behave the same whatever the system code page.
include(ExternalProject)

set(SORATN2_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows)
set(SORATN2_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(SORATN2_WINE_ENV ${PROJECT_SOURCE_DIR}/tools/wine-env.sh)

ExternalProject_Add(windows
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${SORATN2_WINDOWS_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DSORATN2_GOOGLETEST_DIR=${SORATN2_GOOGLETEST_DIR}
    -DSORATN2_BUILD_BENCHMARKS=${SORATN2_BUILD_BENCHMARKS}
    -DSORATN2_WERROR=${SORATN2_WERROR}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

# One Wine environment for the whole run: the prefixes, the locales and one
# virtual display, made by the setup fixture and stopped by the cleanup one.
add_test(NAME wine.setup COMMAND ${SORATN2_WINE_ENV} setup ${SORATN2_WINE_DIR})
add_test(NAME wine.teardown COMMAND ${SORATN2_WINE_ENV} teardown ${SORATN2_WINE_DIR})
set_tests_properties(wine.setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
set_tests_properties(wine.teardown PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)

foreach(locale ja en)
  foreach(suite IN LISTS SORATN2_WINDOWS_TEST_SUITES)
    add_test(NAME wine.${locale}.${suite}
      COMMAND ${SORATN2_WINE_ENV} run ${SORATN2_WINE_DIR} ${locale}
              ${SORATN2_WINDOWS_DIR}/bin/${suite}.exe)
    set_tests_properties(wine.${locale}.${suite} PROPERTIES
      FIXTURES_REQUIRED wine RESOURCE_LOCK wine.${locale} TIMEOUT 600)
  endforeach()
endforeach()
