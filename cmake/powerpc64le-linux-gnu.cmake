# 64-bit little-endian POWER Linux, whose long double is IBM double-double (106 bits).
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(COILCALC_TRIPLE powerpc64le-linux-gnu)
set(COILCALC_QEMU qemu-ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
