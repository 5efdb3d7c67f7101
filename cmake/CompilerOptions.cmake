# Options shared by every target of the program and its tests; the compiler
# options are for C++ only, not for the resource compiler.
add_library(soratn2_options INTERFACE)
target_compile_features(soratn2_options INTERFACE cxx_std_20)
target_include_directories(soratn2_options INTERFACE ${PROJECT_SOURCE_DIR}/src)

if(MSVC)
  # Sources are UTF-8; narrow literals are code page 932 bytes.
  target_compile_options(soratn2_options INTERFACE
    "$<$<COMPILE_LANGUAGE:CXX>:/source-charset:utf-8;/execution-charset:.932;/W4;/permissive->")
  target_compile_definitions(soratn2_options INTERFACE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
else()
  target_compile_options(soratn2_options INTERFACE
    "$<$<COMPILE_LANGUAGE:CXX>:-finput-charset=UTF-8;-fexec-charset=CP932;-Wall;-Wextra;-Wpedantic>")
  # No folder of this machine in what is built: the same commit gives the
  # same bytes wherever it is built, and the debug information names the
  # sources as /soratn2/src/... wherever they were. The build folder may lie
  # inside the sources: the last map that matches wins, so it comes last.
  target_compile_options(soratn2_options INTERFACE
    "$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=/soratn2;-ffile-prefix-map=${CMAKE_BINARY_DIR}=/soratn2/build>")
  if(WIN32)
    target_compile_definitions(soratn2_options INTERFACE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
    # One self-contained executable: no DLL beyond the system's own.
    target_link_options(soratn2_options INTERFACE -static -static-libgcc -static-libstdc++)
  endif()
endif()

# GCC 12 warns of overlapping copies that cannot happen when it inlines
# "text" + std::string at -O3 (-Wrestrict, a known false positive of it).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(soratn2_options INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
endif()

if(SORATN2_WERROR)
  target_compile_options(soratn2_options INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:$<IF:$<CXX_COMPILER_ID:MSVC>,/WX,-Werror>>)
endif()

# The portable code is also built natively with the sanitizers.
if(NOT WIN32 AND SORATN2_SANITIZE)
  target_compile_options(soratn2_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(soratn2_options INTERFACE -fsanitize=address,undefined)
endif()
