# The main window: construction and chrome; language and connection display.
ka_add_test(tst_mainwindow tst_mainwindow.cpp)
ka_add_test(tst_languagestatus tst_languagestatus.cpp)
