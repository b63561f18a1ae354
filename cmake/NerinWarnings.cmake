# Warnings are on for all of our own code and kept clean.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
  -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wnull-dereference
  -Wimplicit-fallthrough -Wformat=2)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wduplicated-cond -Wlogical-op)
endif()
option(NERIN_WERROR "Treat warnings as errors" ON)
if(NERIN_WERROR)
  add_compile_options(-Werror)
endif()
