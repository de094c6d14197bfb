# The whole program against the device simulator: the real window, its worker thread and a real
# serial port on a pseudo-terminal. The core objects are linked directly, so the window's pictures
# register themselves (a static archive would drop their unreferenced initializer).
ka_add_test(tst_endtoend tst_endtoend.cpp)
target_link_libraries(tst_endtoend PRIVATE kasim)
