# The hardening Debian builds with: checked string and memory calls, a
# position-independent program, and relocations resolved and made read-only
# at start. Left out of sanitizer and fuzzing builds, whose run-time checks
# the checked calls would only hide.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
# The checked calls need optimisation; a Debug build would only warn.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_compile_options(-fstack-protector-strong)
add_link_options(-Wl,-z,relro -Wl,-z,now)
