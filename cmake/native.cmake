# Native unit tests of the platform-free rules, with AddressSanitizer and
# UndefinedBehaviorSanitizer.
find_package(GTest REQUIRED)

set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(pivora_rules PRIVATE ${SANITIZERS})

add_executable(unit_tests
  tests/unit/common_test.cpp
  tests/unit/app_test.cpp
  tests/unit/launch_test.cpp
  tests/unit/settings_test.cpp
  tests/unit/editing_test.cpp
  tests/unit/icons_test.cpp
)
target_include_directories(unit_tests PRIVATE src tests/unit)
target_compile_options(unit_tests PRIVATE ${PIVORA_WARNINGS} ${SANITIZERS})
target_link_options(unit_tests PRIVATE ${SANITIZERS})
target_link_libraries(unit_tests PRIVATE pivora_rules GTest::gtest GTest::gtest_main)

include(GoogleTest)
gtest_discover_tests(unit_tests PROPERTIES LABELS unit)
