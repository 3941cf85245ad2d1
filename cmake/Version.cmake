# kit_version.hpp: KIT_VERSION for every program's --version, from
# project(VERSION); linked as the interface target kit_version.
configure_file(${CMAKE_CURRENT_LIST_DIR}/kit_version.hpp.in
               ${CMAKE_BINARY_DIR}/generated/kit_version.hpp @ONLY)
add_library(kit_version INTERFACE)
target_include_directories(kit_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
