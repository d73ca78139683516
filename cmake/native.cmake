# Native unit tests of the platform-free rules, with AddressSanitizer and
# UndefinedBehaviorSanitizer.
find_package(GTest REQUIRED)

set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(pivora_rules PRIVATE ${SANITIZERS})

add_executable(unit_tests
  tests/unit/text_rules_test.cpp
  tests/unit/invocation_rules_test.cpp
  tests/unit/slot_store_test.cpp
  tests/unit/option_rules_test.cpp
  tests/unit/section_listing_test.cpp
  tests/unit/link_rules_test.cpp
  tests/unit/grid_rules_test.cpp
  tests/unit/slot_clipboard_test.cpp
  tests/unit/drag_gesture_test.cpp
  tests/unit/edit_text_rules_test.cpp
  tests/unit/launch_rules_test.cpp
  tests/unit/cmd_line_rules_test.cpp
  tests/unit/icon_rules_test.cpp
  tests/unit/ico_layout_test.cpp
)
target_include_directories(unit_tests PRIVATE src tests/unit)
target_compile_options(unit_tests PRIVATE ${PIVORA_WARNINGS} ${SANITIZERS})
target_link_options(unit_tests PRIVATE ${SANITIZERS})
target_link_libraries(unit_tests PRIVATE pivora_rules GTest::gtest GTest::gtest_main)

include(GoogleTest)
gtest_discover_tests(unit_tests PROPERTIES LABELS unit)
