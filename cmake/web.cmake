# The WebAssembly build (Emscripten): the flags every target shares.
#
# The command line's usage errors and the JSON reader report through C++ exceptions, which
# Emscripten only catches when asked to.
add_compile_options(-fexceptions)
add_link_options(-fexceptions)

# The native command-line calculator, whose answers the Node one must give byte for byte.
set(COILCALC_NATIVE_CLI ${CMAKE_SOURCE_DIR}/build/default/cli/coilcalc-cli
    CACHE FILEPATH "The native coilcalc-cli to compare the WebAssembly one with")

# The web build's own tests (web/) run under CTest, without GoogleTest.
enable_testing()
