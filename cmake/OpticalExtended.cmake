# The back end of the extended arithmetic (numeric/extended.h):
#   OPTICAL_EXTENDED=AUTO  the x87 unit where the compiler's long double is the
#                          x87 80-bit format (GCC or Clang on x86 and x86-64),
#                          the software arithmetic everywhere else
#   OPTICAL_EXTENDED=X87   the x87 unit; an error where there is none
#   OPTICAL_EXTENDED=SOFT  the software arithmetic (soft::Float80)
# OPTICAL_EXTENDED_BACKEND holds the choice (X87 or SOFT), OPTICAL_HOST_X87
# whether long double is the x87 format at all (the x87 side of the tests).
set(OPTICAL_EXTENDED AUTO CACHE STRING "Extended arithmetic back end: AUTO, X87 or SOFT")
set_property(CACHE OPTICAL_EXTENDED PROPERTY STRINGS AUTO X87 SOFT)

include(CheckCXXSourceCompiles)
check_cxx_source_compiles([=[
#if !((defined(__x86_64__) || defined(__i386__)) && __LDBL_MANT_DIG__ == 64 && __LDBL_MAX_EXP__ == 16384)
#error "long double is not the x87 format"
#endif
int main() { return 0; }
]=] OPTICAL_HOST_X87)

if(OPTICAL_EXTENDED STREQUAL "AUTO")
  if(OPTICAL_HOST_X87 AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    set(OPTICAL_EXTENDED_BACKEND X87)
  else()
    set(OPTICAL_EXTENDED_BACKEND SOFT)
  endif()
elseif(OPTICAL_EXTENDED STREQUAL "X87")
  if(NOT OPTICAL_HOST_X87)
    message(FATAL_ERROR "OPTICAL_EXTENDED=X87 needs long double in the x87 80-bit format "
                        "(x86 or x86-64); use AUTO or SOFT on ${CMAKE_SYSTEM_PROCESSOR}")
  endif()
  set(OPTICAL_EXTENDED_BACKEND X87)
elseif(OPTICAL_EXTENDED STREQUAL "SOFT")
  set(OPTICAL_EXTENDED_BACKEND SOFT)
else()
  message(FATAL_ERROR "OPTICAL_EXTENDED must be AUTO, X87 or SOFT, not ${OPTICAL_EXTENDED}")
endif()
message(STATUS "Extended arithmetic: ${OPTICAL_EXTENDED_BACKEND}")

# The sources of optical_numeric that depend on the back end, and the
# compile definition that selects it (see extended.h).
set(OPTICAL_NUMERIC_BACKEND_SOURCES
  decimal_format.cpp decimal_parse.cpp decimal_scale.cpp extended.cpp pow10_tables.cpp power.cpp)

# optical_numeric_backend(<target> X87|SOFT): adds the back-end sources to a
# library target of shared/numeric and selects the back end for it and for
# everything that links it.
function(optical_numeric_backend target backend)
  set(dir ${PROJECT_SOURCE_DIR}/shared/numeric/src)
  foreach(source IN LISTS OPTICAL_NUMERIC_BACKEND_SOURCES)
    target_sources(${target} PRIVATE ${dir}/${source})
  endforeach()
  if(backend STREQUAL "SOFT")
    target_sources(${target} PRIVATE ${dir}/fpu_environment_soft.cpp)
    target_compile_definitions(${target} PUBLIC OPTICAL_EXTENDED_SOFT=1)
    target_link_libraries(${target} PUBLIC optical_soft_float80)
  else()
    target_sources(${target} PRIVATE ${dir}/fpu_environment.cpp)
    target_compile_definitions(${target} PUBLIC OPTICAL_EXTENDED_SOFT=0)
  endif()
endfunction()
