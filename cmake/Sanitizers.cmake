# Interface target switching on AddressSanitizer and UndefinedBehaviorSanitizer.
# A fuzzing build also gets them, plus libFuzzer's coverage hooks in every library.
add_library(zebak_sanitizers INTERFACE)
if(ZEBAK_SANITIZE OR ZEBAK_FUZZ)
  target_compile_options(zebak_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(zebak_sanitizers INTERFACE -fsanitize=address,undefined)
  # With the sanitizers GCC warns of uninitialised members inside the standard library's
  # std::regex and std::function that are set; the warning is false there.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(zebak_sanitizers INTERFACE -Wno-maybe-uninitialized)
  endif()
endif()
if(ZEBAK_FUZZ)
  target_compile_options(zebak_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()
