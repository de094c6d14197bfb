# The simulator's own checks: a real QSerialPort against it over a pseudo-terminal.
add_executable(tst_simulator tst_simulator.cpp)
target_link_libraries(tst_simulator PRIVATE kasim Qt5::Test Qt5::SerialPort)
add_test(NAME tst_simulator COMMAND tst_simulator)
set_tests_properties(tst_simulator PROPERTIES TIMEOUT 120)
