# The tests of the Windows build (cross-built with MinGW-w64, run under Wine
# by the Linux build's ctest, label windows): the unit tests and the widget
# tests, with GoogleTest built from Debian's source. Not here: the CGAL
# oracle (Debian has no GMP for MinGW), the trace tool's command-line test
# (the Linux build's windows tests compare the tool's output instead), and
# the end-to-end scripts, which drive the program from Linux.
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_executable(quillet-unit-tests
  reference_edges.cpp test_bisector.cpp test_dist.cpp test_hsort.cpp test_identity.cpp test_lifecycle.cpp test_run.cpp
  test_setup.cpp test_search_units.cpp)
target_link_libraries(quillet-unit-tests PRIVATE quillet_lifecycle quillet_test_support gtest_main)
target_include_directories(quillet-unit-tests PRIVATE ${PROJECT_SOURCE_DIR})

find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(quillet-widget-tests ${widget_test_sources})
target_link_libraries(quillet-widget-tests PRIVATE quillet_app quillet_test_support Qt6::Test gtest)
qt_import_plugins(quillet-widget-tests INCLUDE Qt6::QOffscreenIntegrationPlugin)
