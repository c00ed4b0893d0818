# Debian's hardening of the programs it ships, for every optimised Linux build,
# so that the packaged executable and the tested one are the same code.
# Sanitizer builds keep their own instrumentation instead.
option(CORVANE_HARDENING "Build with Debian's hardening flags (fortify, stack protector, full RELRO)" ON)
if(CORVANE_HARDENING AND NOT CORVANE_SANITIZE AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
  # Fortification needs the optimiser; a Debug build would only be warned.
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>
                      -fstack-protector-strong)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
