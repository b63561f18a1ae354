# The test command builds everything with AddressSanitizer and UndefinedBehaviorSanitizer; any report
# fails the run instead of only printing.
if(NERIN_SANITIZE)
  set(_nerin_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_nerin_san})
  add_link_options(${_nerin_san})
endif()

# Under the fuzzers every library is instrumented for coverage too, so that they explore the
# library's branches and not only those of the fuzz targets.
if(NERIN_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
