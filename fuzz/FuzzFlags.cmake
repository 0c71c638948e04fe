# Included by the top-level CMakeLists.txt when ZOTRA_FUZZ is on, before any
# library: everything the fuzz targets link is built with the coverage the
# fuzzer needs and with AddressSanitizer and UndefinedBehaviorSanitizer, so a
# fault anywhere below a reader is found, not only in the reader itself.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "ZOTRA_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
endif()
if(ZOTRA_TESTS OR ZOTRA_BENCH)
  message(STATUS "ZOTRA_FUZZ: the fuzz build is meant without tests and benchmarks (-DZOTRA_TESTS=OFF -DZOTRA_BENCH=OFF)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -gline-tables-only -O1)
add_link_options(-fsanitize=address,undefined)
