# Interface target carrying the project's warning flags; every target links it.
add_library(zebak_warnings INTERFACE)
target_compile_options(zebak_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(ZEBAK_WERROR)
  target_compile_options(zebak_warnings INTERFACE -Werror)
endif()
