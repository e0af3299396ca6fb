# What applies to every target of the project, new ones included, once all of them exist:
# velto_finish_targets() is called at the end of the top-level CMakeLists.txt.
#
# Precompiled headers (cmake/pch.h) for targets with at least three sources: on by default
# with clang (the sanitizer builds), where parsing the Qt and GoogleTest headers is about
# 40 % of an instrumented test source's compile time. g++'s precompiled headers are six times
# larger and save less, so the default build goes without.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  option(VELTO_PCH "Precompiled headers" ON)
else()
  option(VELTO_PCH "Precompiled headers" OFF)
endif()

function(velto_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    velto_targets_below(${sub} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(velto_precompile_headers target)
  get_target_property(sources ${target} SOURCES)
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  list(LENGTH sources count)
  if(count GREATER_EQUAL 3)
    target_precompile_headers(${target} PRIVATE ${CMAKE_SOURCE_DIR}/cmake/pch.h)
  endif()
endfunction()

function(velto_finish_targets)
  velto_targets_below(${CMAKE_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY)$")
      continue()
    endif()
    # libFuzzer targets bring their own sanitizers (scripts/fuzz.sh builds them by name).
    if(VELTO_SANITIZE AND target MATCHES "^fuzz_")
      set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL TRUE)
      continue()
    endif()
    if(VELTO_PCH)
      velto_precompile_headers(${target})
    endif()
  endforeach()
endfunction()
