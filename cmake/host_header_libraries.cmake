# SPDX-License-Identifier: GPL-3.0-or-later
# The header-only libraries of the host (CLI11, nlohmann-json) for a cross build. Their own CMake
# packages would put the host's whole /usr/include on the compiler's search path, ahead of the
# target's C library; a folder that holds only their headers keeps them apart.
set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${host_headers})
foreach(folder CLI nlohmann)
    if(NOT EXISTS /usr/include/${folder})
        message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/setup --packages")
    endif()
    file(CREATE_LINK /usr/include/${folder} ${host_headers}/${folder} SYMBOLIC)
endforeach()

add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 INTERFACE ${host_headers})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${host_headers})
