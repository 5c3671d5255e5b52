# The result window and its lists (Windows only).
add_library(lexmoor_result_windows STATIC
  choicable_list_box.cpp
  listup_window.cpp
)
target_include_directories(lexmoor_result_windows PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(lexmoor_result_windows PUBLIC lexmoor_framework)
