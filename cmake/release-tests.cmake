# The release package: packed from the exe just built, checked with its Scoop
# manifest, then unpacked and used as a user would (the registration scripts and
# a shell start through them, under Wine).
set(RELEASE_TEST_DIR ${CMAKE_BINARY_DIR}/release)

add_test(NAME Release.Package
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/check_package.sh $<TARGET_FILE:Pivora64> ${RELEASE_TEST_DIR})
set_tests_properties(Release.Package PROPERTIES
  FIXTURES_SETUP release_package TIMEOUT 120 LABELS release)

add_executable(release_tests
  tests/release/registration_test.cpp
  tests/e2e/launcher_harness.cpp
)
target_include_directories(release_tests PRIVATE tests/e2e)
target_compile_definitions(release_tests PRIVATE ${WINDOWS_DEFINITIONS})
target_compile_options(release_tests PRIVATE ${PIVORA_WARNINGS})
target_link_options(release_tests PRIVATE ${STATIC_RUNTIME})
target_link_libraries(release_tests PRIVATE gtest gtest_main user32 gdi32 shell32 ole32 uuid advapi32 version)
add_dependencies(release_tests Pivora64)

gtest_discover_tests(release_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  PROPERTIES RUN_SERIAL TRUE TIMEOUT 180 LABELS release FIXTURES_REQUIRED release_package)

# Takes the README's screenshots for scripts/screenshots.sh.
add_executable(window_capture tests/tools/window_capture.cpp tests/e2e/launcher_harness.cpp)
target_include_directories(window_capture PRIVATE tests/e2e)
target_compile_definitions(window_capture PRIVATE ${WINDOWS_DEFINITIONS})
target_compile_options(window_capture PRIVATE ${PIVORA_WARNINGS})
target_link_options(window_capture PRIVATE -municode ${STATIC_RUNTIME})
target_link_libraries(window_capture PRIVATE gtest user32 gdi32 shell32)
