# Start-up of the real program and the pictures compiled into it.
ka_add_test(tst_startup tst_startup.cpp)
# The test runs the program itself, which lands in the same folder.
add_dependencies(tst_startup kaviewer)

ka_add_test(tst_resources tst_resources.cpp)
