# 64-bit ARM Linux, whose long double is IEEE binary128.
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(COILCALC_TRIPLE aarch64-linux-gnu)
set(COILCALC_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
