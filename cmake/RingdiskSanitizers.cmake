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
