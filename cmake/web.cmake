# The WebAssembly build (Emscripten): host header-only libraries, and the flags every target shares.
include(${CMAKE_CURRENT_LIST_DIR}/host-headers.cmake)
coilcalc_host_header_library(CLI11::CLI11 CLI)
coilcalc_host_header_library(nlohmann_json::nlohmann_json nlohmann)
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
