# Reliability builds. `./build.sh test` configures the folder build-asan with
# clang and both options on; the normal build has neither.
#   TAVREL_SANITIZE  everything with AddressSanitizer and UndefinedBehaviorSanitizer;
#                    the first report ends the process, so a test that triggers one fails.
#   TAVREL_FUZZ      also instrument for libFuzzer (clang only) and build the
#                    fuzzers of tests/fuzz as ctest tests labelled "fuzz".
option(TAVREL_SANITIZE "Build with -fsanitize=address,undefined" OFF)
option(TAVREL_FUZZ "Build the libFuzzer targets (clang)" OFF)

if(TAVREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
  # Qt's own inline code checks its indexes too. A read one past the end of a
  # QByteArray lands on its terminating zero, inside the allocation, where
  # AddressSanitizer cannot see it; QByteArray::at()'s assertion can.
  add_compile_definitions(QT_FORCE_ASSERTS)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Reports need line tables only; full debug information for Qt's
    # templates, with the instrumentation, more than doubles the compile time.
    set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -gline-tables-only -DNDEBUG")
  endif()
endif()

if(TAVREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TAVREL_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
  endif()
  # Coverage feedback for the fuzzers from every object; the fuzzers alone
  # link libFuzzer's main (-fsanitize=fuzzer), the tests link as usual.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
