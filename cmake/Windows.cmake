# The Windows build: only the installer. setup.exe, the parts it links, the
# test driver that works it under Wine and the packed sample image. No
# GoogleTest, threads or console tools here; everything is linked
# statically so that setup.exe runs on its own.
enable_language(RC)
add_link_options(-static)

# The kit's test, benchmark and fuzz helpers build nothing for Windows;
# empty targets keep the parts' dependency lines valid.
function(kit_test name)
  add_custom_target(${name})
endfunction()
function(kit_bench name)
  add_custom_target(bench-${name})
endfunction()

# Only the libraries setup.exe links are built from these two.
add_subdirectory(installer/dcl EXCLUDE_FROM_ALL)
add_subdirectory(installer/payload EXCLUDE_FROM_ALL)
add_subdirectory(installer/shell)
add_subdirectory(installer/wizard)
add_subdirectory(samples/setup)
