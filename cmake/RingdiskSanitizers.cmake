# The sanitized build: every object of the tree, tests included, built with
# AddressSanitizer and UndefinedBehaviorSanitizer, undefined behaviour
# stopping the program at its first report. Under clang the library code is
# also instrumented for coverage (without libFuzzer's main), so that the fuzz
# targets linked against it are guided by what they reach.
option(RINGDISK_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(RINGDISK_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options(-fsanitize=fuzzer-no-link)
    set(RINGDISK_FUZZ_TARGETS ON)
  else()
    message(STATUS "Fuzz targets need clang; this sanitized build has none")
    set(RINGDISK_FUZZ_TARGETS OFF)
  endif()
endif()

# ringdisk_without_leak_check(TEST...): for tests that draw through Mesa's
# software renderer. Its driver is unloaded before the leak check at exit,
# so the blocks it leaves show without a module and no suppression can name
# them. These tests run without the leak check in the sanitized build;
# memory errors and undefined behaviour still stop them. Call it in the
# folder that adds the tests.
function(ringdisk_without_leak_check)
  if(RINGDISK_SANITIZE)
    set_property(TEST ${ARGN} APPEND PROPERTY ENVIRONMENT
      "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")
  endif()
endfunction()
