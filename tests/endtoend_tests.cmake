# The whole program against the device simulator: the real window, its worker thread and a real
# serial port on a pseudo-terminal.
ka_add_test(tst_endtoend tst_endtoend.cpp)
target_link_libraries(tst_endtoend PRIVATE kasim)
