# Settings every target of the project shares: strict warnings, and the
# floating-point options the extended arithmetic depends on (no contraction
# of a product and a sum into one rounding; never -ffast-math).
add_library(optical_build_settings INTERFACE)
target_compile_options(optical_build_settings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror
  -ffp-contract=off -fno-fast-math)

# optical_add_test(<name> SOURCES <files...> LIBRARIES <targets...> [LABELS <labels...>])
# One GoogleTest program, linked against the project's libraries (never
# recompiling their sources), with every test case registered in CTest.
function(optical_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main
                                        optical_build_settings)
  gtest_discover_tests(${name}
    PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${ARG_ENVIRONMENT}"
    DISCOVERY_TIMEOUT 60)
endfunction()
