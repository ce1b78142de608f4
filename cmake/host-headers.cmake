# Cross builds (WebAssembly, Windows, other processors): the host's header-only libraries.
#
# CLI11 and nlohmann-json are header-only Debian packages under /usr/include. Pointing a cross
# compiler at /usr/include would also pull in glibc's headers for this machine, so the two
# libraries are reached through a folder of links to exactly their own headers.
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

