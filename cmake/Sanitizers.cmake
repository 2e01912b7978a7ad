# Interface target switching on AddressSanitizer and UndefinedBehaviorSanitizer.
add_library(zebak_sanitizers INTERFACE)
if(ZEBAK_SANITIZE)
  target_compile_options(zebak_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(zebak_sanitizers INTERFACE -fsanitize=address,undefined)
endif()
