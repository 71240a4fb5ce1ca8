# The tests of a cross build (Windows' with MinGW-w64, run under Wine; arm64's,
# run under qemu-user; each by the Linux build's ctest, labels windows and
# arm64): the unit tests and the widget tests, with GoogleTest built from
# Debian's source. Not here: the CGAL oracle (Debian has no GMP for MinGW,
# and the traces, compared with the Linux build's, hold the rest to it), the
# trace tool's command-line test (the traces compare its output instead), and
# the end-to-end scripts, which drive the program from Linux.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# (GCC 12 for arm64 warns in it of a copy whose size it cannot bound, a false
# alarm of that compiler's -Wrestrict.)
foreach(target gtest gtest_main)
  target_compile_options(${target} PRIVATE -Wno-restrict)
endforeach()

add_executable(quillet-unit-tests ${unit_test_sources})
target_link_libraries(quillet-unit-tests PRIVATE quillet_plain_search gtest_main)
target_include_directories(quillet-unit-tests PRIVATE ${PROJECT_SOURCE_DIR})

find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(quillet-widget-tests ${widget_test_sources})
target_link_libraries(quillet-widget-tests PRIVATE quillet_app quillet_recording Qt6::Test gtest)
# (A static Qt links the offscreen platform only when asked.)
if(WIN32)
  qt_import_plugins(quillet-widget-tests INCLUDE Qt6::QOffscreenIntegrationPlugin)
endif()
