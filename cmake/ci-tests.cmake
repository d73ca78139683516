# The CI and release workflows and the Windows runner script the CI's Windows job
# uses: linted, the release's tag check, and the runner run here under Wine.
add_test(NAME CI.WorkflowLint COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ci/lint_test.sh)
add_test(NAME CI.ReleaseTagCheck COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ci/check_tag_test.sh)
set_tests_properties(CI.WorkflowLint CI.ReleaseTagCheck PROPERTIES TIMEOUT 120 LABELS ci)

# Cases that skip, one of them by a name the runner allows, for the runner's test.
add_executable(skipping_cases tests/ci/skipping_cases.cpp)
target_link_options(skipping_cases PRIVATE ${STATIC_RUNTIME})
target_link_libraries(skipping_cases PRIVATE gtest gtest_main)

add_test(NAME CI.WindowsRunner
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ci/windows_runner_test.sh ${CMAKE_BINARY_DIR})
# Its release case reads the package the release tests unpack.
set_tests_properties(CI.WindowsRunner PROPERTIES
  RUN_SERIAL TRUE TIMEOUT 300 LABELS ci FIXTURES_REQUIRED release_package)
