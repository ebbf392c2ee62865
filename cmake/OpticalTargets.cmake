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
  set(properties "")
  if(ARG_LABELS)
    list(APPEND properties LABELS "${ARG_LABELS}")
  endif()
  if(ARG_ENVIRONMENT)
    list(APPEND properties ENVIRONMENT "${ARG_ENVIRONMENT}")
  endif()
  gtest_discover_tests(${name} PROPERTIES ${properties} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES)
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

# optical_add_calculator(<Program> <calc library>
#                        CALC_SOURCES <files...> CALC_TESTS <files...>
#                        WINDOW_TEST <file> OUTER_SIZE <width> <height>)
# One calculator: its calculation and form as a Qt-free library with its own
# tests, and, with the GUI, the program, its offscreen window test and its
# smoke test under Xvfb.
function(optical_add_calculator program calc)
  cmake_parse_arguments(ARG "" "WINDOW_TEST" "CALC_SOURCES;CALC_TESTS;OUTER_SIZE" ${ARGN})
  add_library(${calc} STATIC ${ARG_CALC_SOURCES})
  target_include_directories(${calc} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${calc} PUBLIC optical_form PRIVATE optical_build_settings)
  # The calculation once more on the back end not chosen, for the benchmark
  # of both back ends.
  if(OPTICAL_BUILD_BENCHMARKS AND TARGET optical_form_other)
    add_library(${calc}_other STATIC ${ARG_CALC_SOURCES})
    target_include_directories(${calc}_other PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${calc}_other PUBLIC optical_form_other PRIVATE optical_build_settings)
  endif()

  if(OPTICAL_BUILD_GUI)
    qt_add_executable(${program} main.cpp)
    target_link_libraries(${program} PRIVATE ${calc} optical_ui optical_build_settings)
  endif()

  if(OPTICAL_BUILD_TESTS)
    optical_add_test(${calc}_test SOURCES ${ARG_CALC_TESTS} LIBRARIES ${calc} optical_test_support)
    target_include_directories(${calc}_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
    if(OPTICAL_BUILD_GUI)
      string(TOLOWER ${program}_window_test window_test)
      add_executable(${window_test} ${ARG_WINDOW_TEST})
      target_link_libraries(${window_test} PRIVATE ${calc} optical_gui_test_main
                                                   optical_build_settings)
      target_include_directories(${window_test} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
      gtest_discover_tests(${window_test} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS gui)
      optical_add_smoke_test(${program} ${program} ${ARG_OUTER_SIZE})
    endif()
  endif()
endfunction()
