# The simulator's own checks: a real QSerialPort against it over a pseudo-terminal.
add_executable(tst_simulator tst_simulator.cpp)
target_link_libraries(tst_simulator PRIVATE kasim Qt5::Test Qt5::SerialPort)
add_test(NAME tst_simulator COMMAND tst_simulator)
set_tests_properties(tst_simulator PROPERTIES TIMEOUT 120)

# The receive side fed by hand, and the link over a pseudo-terminal with the simulator at the far end.
ka_add_test(tst_parsers tst_parsers.cpp)
target_link_libraries(tst_parsers PRIVATE kasim)
ka_add_test(tst_devicelink tst_devicelink.cpp)
target_link_libraries(tst_devicelink PRIVATE kasim)
