# The dictionary's file operations on Windows, for CPronunceDialog.
add_library(lexmoor_result_files_win STATIC windows_file_system.cpp)
target_link_libraries(lexmoor_result_files_win PUBLIC lexmoor_result)

# The result window and its lists (Windows only).
add_library(lexmoor_result_windows STATIC
  choicable_list_box.cpp
  listup_window.cpp
  pronunce_dialog.cpp
)
target_include_directories(lexmoor_result_windows PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(lexmoor_result_windows PUBLIC lexmoor_framework lexmoor_result_files_win)

# The file operations' test: a console program, run under Wine.
add_executable(lexmoor_result_files_win_test ${PROJECT_SOURCE_DIR}/tests/result/windows_file_system_test.cpp)
target_link_libraries(lexmoor_result_files_win_test PRIVATE lexmoor_result_files_win GTest::gtest_main)
gtest_discover_tests(lexmoor_result_files_win_test
  DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES RUN_SERIAL TRUE TIMEOUT 60)
