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

# optical_add_smoke_test(<program target> <caption> <width> <height>)
# Starts the real program under Xvfb, checks that its window appears with the
# caption at the designed outer size, and keeps a screenshot in
# build/artifacts.
function(optical_add_smoke_test program caption width height)
  add_test(NAME ${program}_starts_under_xvfb
    COMMAND bash ${PROJECT_SOURCE_DIR}/tools/screenshot/xvfb_smoke.sh
            $<TARGET_FILE:${program}> ${caption} ${width} ${height}
            $<TARGET_FILE:screenshot> ${PROJECT_SOURCE_DIR}/build/artifacts)
  set_tests_properties(${program}_starts_under_xvfb PROPERTIES LABELS "gui;smoke" TIMEOUT 60
                       RESOURCE_LOCK xvfb_display)
endfunction()
