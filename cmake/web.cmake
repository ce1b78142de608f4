# The WebAssembly build (Emscripten): host header-only libraries, and the flags every target shares.
#
# CLI11 and nlohmann-json are header-only Debian packages under /usr/include. Pointing em++
# at /usr/include would also pull in glibc's headers, so the two libraries are reached through
# a folder of links to exactly their own headers.
set(COILCALC_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${COILCALC_HOST_HEADERS})
foreach(folder CLI nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/setup-debian.sh")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${COILCALC_HOST_HEADERS}/${folder} SYMBOLIC)
endforeach()
foreach(target CLI11::CLI11 nlohmann_json::nlohmann_json)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${COILCALC_HOST_HEADERS})
endforeach()
# find_package() then finds the targets already defined and leaves them as they are.
set(CLI11_DIR /usr/share/cmake/CLI11 CACHE PATH "" FORCE)
set(nlohmann_json_DIR /usr/share/cmake/nlohmann_json CACHE PATH "" FORCE)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# The command line's usage errors and the JSON reader report through C++ exceptions, which
# Emscripten only catches when asked to.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# The native command-line calculator, whose answers the Node one must give byte for byte.
set(COILCALC_NATIVE_CLI ${CMAKE_SOURCE_DIR}/build/default/cli/coilcalc-cli
    CACHE FILEPATH "The native coilcalc-cli to compare the WebAssembly one with")

# The web build's own tests (web/) run under CTest, without GoogleTest.
enable_testing()
