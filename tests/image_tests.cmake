# The thumbnail list, the preview and the export of the preview area.
ka_add_test(tst_imagelist tst_imagelist.cpp)
ka_add_test(tst_export tst_export.cpp)
