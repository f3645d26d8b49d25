# plandesk_warnings: the warning set every target of ours builds with.
add_library(plandesk_warnings INTERFACE)
target_compile_options(plandesk_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Wunused -Woverloaded-virtual -Wconversion -Wsign-conversion
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(PLANDESK_WERROR)
  target_compile_options(plandesk_warnings INTERFACE -Werror)
endif()
