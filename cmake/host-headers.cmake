# Header-only Debian libraries for a cross build (WebAssembly, MinGW, other processors), reached
# through a folder of links to exactly their own headers: pointing the cross compiler at
# /usr/include would also pull in glibc's headers for this machine.
set(COILCALC_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)

# coilcalc_host_header_library(<imported target> <folder under /usr/include>)
function(coilcalc_host_header_library target folder)
  if(TARGET ${target})
    return()
  endif()
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/setup-debian.sh")
  endif()
  file(MAKE_DIRECTORY ${COILCALC_HOST_HEADERS})
  file(CREATE_LINK /usr/include/${folder} ${COILCALC_HOST_HEADERS}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${COILCALC_HOST_HEADERS})
endfunction()

# find_package() then finds the targets already defined and leaves them as they are.
set(CLI11_DIR /usr/share/cmake/CLI11 CACHE PATH "" FORCE)
set(nlohmann_json_DIR /usr/share/cmake/nlohmann_json CACHE PATH "" FORCE)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
