# libFuzzer targets. Every reader of outside bytes has one: fuzz_<what>, built only by clang,
# with address and undefined-behaviour checks, into build*/fuzz/, its seed corpus in
# tests/<area>/fuzz_corpus/<what>/. scripts/fuzz.sh finds and runs every target named so.
#
# velto_add_fuzzer(<what> [ENTRY function] source... [LIBS library...])
#   ENTRY names `int function(const std::uint8_t*, std::size_t)` of the sources, which the
#   target calls for each input (the tests replay the corpus through the same function);
#   without ENTRY the sources define LLVMFuzzerTestOneInput themselves.
function(velto_add_fuzzer what)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    return()
  endif()
  cmake_parse_arguments(F "" "ENTRY" "LIBS" ${ARGN})
  set(target fuzz_${what})
  add_executable(${target} ${F_UNPARSED_ARGUMENTS})
  if(F_ENTRY)
    target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/fuzz_main.cpp)
    target_compile_definitions(${target} PRIVATE VELTO_FUZZ_ENTRY=${F_ENTRY})
  endif()
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${F_LIBS})
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endfunction()
