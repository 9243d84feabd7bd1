# The program's GBK texts: every escaped literal against the readable comment beside it, and the formation table.
kestrune_add_gtest(gbk_literals_test SOURCES gbk_literals_test.cpp LIBS kestrune_platform_qt)
kestrune_add_gtest(formations_test SOURCES formations_test.cpp LIBS kestrune_platform_qt)
