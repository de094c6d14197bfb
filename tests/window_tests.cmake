# The main window: construction and chrome, language, connection state.
ka_add_test(tst_mainwindow tst_mainwindow.cpp)
ka_add_test(tst_language tst_language.cpp)
ka_add_test(tst_connectionstate tst_connectionstate.cpp)
