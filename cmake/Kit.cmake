# Helpers shared by every part of the kit.

# kit_install_program(<exe-name>): `cmake --install` puts the program in bin/
# and its manual page docs/man/<exe-name>.1, compressed, in share/man/man1.
function(kit_install_program name)
  install(TARGETS ${name} RUNTIME DESTINATION bin)
  set(page ${CMAKE_SOURCE_DIR}/docs/man/${name}.1)
  if(NOT EXISTS ${page})
    message(WARNING "${name} has no manual page ${page}")
    return()
  endif()
  set(packed ${CMAKE_BINARY_DIR}/man/${name}.1.gz)
  # -n keeps the name and time out of the header, so the package is the
  # same from build to build.
  add_custom_command(OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9nc '${page}' > '${packed}'"
    DEPENDS ${page} VERBATIM)
  add_custom_target(man-${name} ALL DEPENDS ${packed})
  install(FILES ${packed} DESTINATION share/man/man1)
endfunction()

# kit_tool(<exe-name> SOURCES ... [LIBS ...]): a console program in bin/.
function(kit_tool name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE gridkit ${ARG_LIBS})
  # A main shared by several programs (the BRISKET family) picks its run by this.
  target_compile_definitions(${name} PRIVATE KIT_PROGRAM="${name}")
  kit_install_program(${name})
endfunction()

# kit_test(<name> SOURCES ... [LIBS ...]): a GoogleTest binary run by ctest,
# with the shared test support (tests/support). Tests find the built programs
# through KIT_BIN_DIR and the sample data through KIT_SOURCE_DIR.
function(kit_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kit_test_support GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    KIT_BIN_DIR="${CMAKE_BINARY_DIR}/bin" KIT_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

# kit_bench(<name> SOURCES ... [LIBS ...]): a benchmark program that prints
# its figures; lands in bin/ as bench-<name>.
function(kit_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(bench-${name} ${ARG_SOURCES})
  target_link_libraries(bench-${name} PRIVATE ${ARG_LIBS})
endfunction()

# kit_fuzz(<name> SOURCES ... [LIBS ...]): a target defining
# LLVMFuzzerTestOneInput. With KIT_FUZZ it links libFuzzer; otherwise it links a
# small driver that replays the seed corpus and a few thousand pseudo-random
# mutations, and runs as a ctest so every build exercises it.
function(kit_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(fuzz-${name} ${ARG_SOURCES})
  target_link_libraries(fuzz-${name} PRIVATE ${ARG_LIBS})
  if(KIT_FUZZ)
    target_compile_options(fuzz-${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz-${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  else()
    target_sources(fuzz-${name} PRIVATE ${CMAKE_SOURCE_DIR}/fuzz/replay_driver.cpp)
    add_test(NAME fuzz-${name}-replay COMMAND fuzz-${name} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  endif()
endfunction()
