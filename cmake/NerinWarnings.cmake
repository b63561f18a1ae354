# Warnings are on for all of our own code and kept clean.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wnull-dereference
  -Wimplicit-fallthrough -Wformat=2)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12's maybe-uninitialized reports std::variant and std::optional members as uninitialised once
  # optimisation is on (a known false positive); clang's -Wuninitialized and the sanitizers in the test
  # build cover the real cases.
  add_compile_options(-Wduplicated-cond -Wlogical-op -Wno-maybe-uninitialized)
endif()
# Errors in our own scripts and CI (scripts/test, scripts/demo pass it); warnings for anyone else, whose
# compiler or flags may warn where ours does not.
option(NERIN_WERROR "Treat warnings as errors" OFF)
if(NERIN_WERROR)
  add_compile_options(-Werror)
endif()
