# Sanitizer builds (VELTO_SANITIZE=address: address + undefined behaviour; thread). The presets
# build them with clang, which compiles an instrumented test source in about half the time g++
# takes; the reports only need line tables, not full debug information. The tests start their
# child programs with fork and exec (tests/support/child_process.h): clang 14's thread sanitizer
# aborts in QProcess's clone() (a runtime CHECK in ForkAfter).
if(VELTO_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(VELTO_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(VELTO_SANITIZE)
  message(FATAL_ERROR "VELTO_SANITIZE is address, thread or empty, not '${VELTO_SANITIZE}'")
endif()
if(VELTO_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_compile_options(-gline-tables-only)
endif()
