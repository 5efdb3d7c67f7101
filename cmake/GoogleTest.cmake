# GoogleTest from the Debian sources, built with the toolchain at hand.
set(SORATN2_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${SORATN2_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(WIN32 AND NOT MSVC)
  target_link_options(gtest PUBLIC -static -static-libgcc -static-libstdc++)
endif()
