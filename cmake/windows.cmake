# The Windows program, its end-to-end tests and their helper programs.
enable_language(RC)

set(WINDOWS_DEFINITIONS UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
target_compile_definitions(pivora_rules PUBLIC ${WINDOWS_DEFINITIONS})
# A static runtime: the exe needs nothing beside the system DLLs.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# Everything but the entry point, so that the Windows tests can make the real main
# window in-process.
add_library(pivora_app STATIC
  src/app/dll_search.cpp
  src/app/main_window.cpp
  src/app/window_lifecycle.cpp
  src/app/status_bar.cpp
  src/app/app_state.cpp
  src/app/button_grid.cpp
  src/app/grid_input.cpp
  src/app/slot_commands.cpp
  src/app/slot_editing.cpp
  src/app/drag_input.cpp
  src/app/option_commands.cpp
  src/app/display_scale_win.cpp
  src/app/window_layout.cpp
  src/editing/command_edit_dialog.cpp
  src/editing/file_drop_win.cpp
  src/icons/button_icon_win.cpp
  src/icons/icon_cache_win.cpp
  src/icons/ico_writer_win.cpp
  src/editing/editing_state.cpp
  src/launch/slot_launch_win.cpp
  src/settings/option_menu_win.cpp
  src/settings/link_dialog_win.cpp
  src/common/module_path_win.cpp
  src/settings/ini_file_store.cpp
  src/settings/settings_state.cpp
  src/settings/settings_file_lock_win.cpp
  src/settings/settings_save_win.cpp
  src/settings/save_files_win.cpp
  src/settings/save_recovery_win.cpp
  src/settings/save_report_win.cpp
  src/common/system_message_win.cpp
)
target_link_libraries(pivora_app PUBLIC pivora_rules)
target_compile_options(pivora_app PRIVATE ${PIVORA_WARNINGS} ${PIVORA_NO_EXCEPTIONS})
add_executable(Pivora64 WIN32 src/app/win_main.cpp src/resources/Pivora64.rc)
target_compile_options(Pivora64 PRIVATE
  $<$<COMPILE_LANGUAGE:CXX>:${PIVORA_WARNINGS} ${PIVORA_NO_EXCEPTIONS}>)
# A release exe carries no symbols: the runtime objects bring debug sections of their own.
target_link_options(Pivora64 PRIVATE -municode ${STATIC_RUNTIME} $<$<CONFIG:Release>:-s>)
find_program(MINGW_DLLTOOL NAMES x86_64-w64-mingw32-dlltool REQUIRED)
set(SHELL32_DELAY_LIB ${CMAKE_BINARY_DIR}/libshell32_delay.a)
add_custom_command(OUTPUT ${SHELL32_DELAY_LIB}
  COMMAND ${MINGW_DLLTOOL} --input-def ${CMAKE_SOURCE_DIR}/cmake/shell32-delay.def
          --dllname shell32.dll --output-delaylib ${SHELL32_DELAY_LIB}
  DEPENDS ${CMAKE_SOURCE_DIR}/cmake/shell32-delay.def)
add_custom_target(shell32_delay DEPENDS ${SHELL32_DELAY_LIB})
add_dependencies(Pivora64 shell32_delay)
target_link_libraries(Pivora64 PRIVATE pivora_app comctl32 imm32 ${SHELL32_DELAY_LIB} delayimp)
set_source_files_properties(src/resources/Pivora64.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/resources/Pivora64.manifest;${CMAKE_SOURCE_DIR}/src/resources/icons/Pivora.ico;${CMAKE_SOURCE_DIR}/src/resources/icons/PivoraSmall.ico")

# GoogleTest for MinGW, from the sources Debian ships.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Writes down how it was started; the slot commands of the launch tests.
add_executable(recorder WIN32 tests/tools/recorder.cpp)
target_compile_definitions(recorder PRIVATE ${WINDOWS_DEFINITIONS})
target_link_options(recorder PRIVATE -municode ${STATIC_RUNTIME})

add_executable(e2e_tests
  tests/e2e/launcher_harness.cpp
  tests/e2e/startup_test.cpp
  tests/e2e/launch_test.cpp
  tests/e2e/editing_test.cpp
  tests/e2e/settings_test.cpp
  tests/e2e/icons_test.cpp
  tests/e2e/locale_test.cpp
)
target_include_directories(e2e_tests PRIVATE src tests/e2e)
target_compile_definitions(e2e_tests PRIVATE ${WINDOWS_DEFINITIONS})
target_compile_options(e2e_tests PRIVATE ${PIVORA_WARNINGS})
target_link_options(e2e_tests PRIVATE ${STATIC_RUNTIME})
target_link_libraries(e2e_tests PRIVATE gtest gtest_main user32 gdi32 shell32)
add_dependencies(e2e_tests Pivora64 recorder pivora_planted)

add_test(NAME Icons.CacheFileAcceptedByIcotool
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/check_cache_with_icotool.sh $<TARGET_FILE:e2e_tests>)
set_tests_properties(Icons.CacheFileAcceptedByIcotool PROPERTIES RUN_SERIAL TRUE TIMEOUT 120 LABELS e2e)

include(GoogleTest)
# Cases whose outcome depends on the system's locale (code page, language, IME) carry
# the label "locale" instead of their program's: scripts/test.sh runs them again with
# Wine in Japanese. Cases whose every pixel follows the display scale carry "dpi":
# they run again at 120, 144 and 192 DPI. A case joins a group by its name in these
# gtest filters.
set(LOCALE_CASES "Locale.*")
set(DISPLAY_SCALE_CASES "Startup.WindowOpensCentredOrOnThePointer:Startup.OneFramedButtonAtAllTimes:\
Editing.DraggingExchangesSlots")
# Lists a test program's cases when ctest runs (through Wine), one ctest entry each.
function(discover_cases target label)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    TEST_FILTER "-${LOCALE_CASES}:${DISPLAY_SCALE_CASES}" PROPERTIES ${ARGN} LABELS ${label})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    TEST_FILTER "${LOCALE_CASES}" PROPERTIES ${ARGN} LABELS locale)
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    TEST_FILTER "${DISPLAY_SCALE_CASES}" PROPERTIES ${ARGN} LABELS dpi)
endfunction()
# They drive one shared desktop, so they must not run side by side.
discover_cases(e2e_tests e2e RUN_SERIAL TRUE TIMEOUT 120)

# Planted beside the test programs: code that must never run by a bare name
# after the launcher's start-up hardening, nor when its icon is read.
add_library(pivora_planted SHARED tests/win/planted_dll.cpp tests/win/planted_dll.rc)
set_target_properties(pivora_planted PROPERTIES PREFIX "")
target_compile_definitions(pivora_planted PRIVATE ${WINDOWS_DEFINITIONS})
target_link_options(pivora_planted PRIVATE ${STATIC_RUNTIME})

# The Win32 layer tested in-process, where that is faster and steadier than
# driving the window from outside.
add_executable(win_layer_tests
  tests/win/win_layer_test.cpp
  tests/win/win_layer_tests.rc
  tests/e2e/launcher_harness.cpp
)
target_include_directories(win_layer_tests PRIVATE src tests/e2e)
target_compile_options(win_layer_tests PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${PIVORA_WARNINGS}>)
target_link_options(win_layer_tests PRIVATE ${STATIC_RUNTIME})
target_link_libraries(win_layer_tests PRIVATE pivora_app gtest gtest_main comctl32 shell32 gdi32 imm32 ntdll)
add_dependencies(win_layer_tests Pivora64 pivora_planted)  # it reads the exe's resources
discover_cases(win_layer_tests win TIMEOUT 60)

# Benchmarks: programs that measure and print. The test run keeps them from
# rotting with one short round; scripts/bench.sh runs them in full.
add_executable(floor_window WIN32 bench/floor_window.cpp)
target_compile_definitions(floor_window PRIVATE ${WINDOWS_DEFINITIONS})
target_link_options(floor_window PRIVATE -municode ${STATIC_RUNTIME})
add_executable(floor_controls WIN32 bench/floor_controls.cpp bench/floor_controls.rc)
target_compile_definitions(floor_controls PRIVATE ${WINDOWS_DEFINITIONS})
target_link_options(floor_controls PRIVATE -municode ${STATIC_RUNTIME})
target_link_libraries(floor_controls PRIVATE comctl32)
# The icon the second floor's buttons read, as the launcher reads cached icons.
configure_file(src/resources/icons/Pivora.ico ${CMAKE_BINARY_DIR}/floor.ico COPYONLY)
add_executable(startup_bench bench/startup_bench.cpp)
target_compile_definitions(startup_bench PRIVATE ${WINDOWS_DEFINITIONS})
target_link_options(startup_bench PRIVATE -municode ${STATIC_RUNTIME})
target_link_libraries(startup_bench PRIVATE psapi)
add_dependencies(startup_bench Pivora64 recorder floor_window floor_controls)
add_test(NAME Bench.OneRound COMMAND startup_bench --iterations 1)
set_tests_properties(Bench.OneRound PROPERTIES RUN_SERIAL TRUE TIMEOUT 300 LABELS bench)

include(${CMAKE_CURRENT_LIST_DIR}/release-tests.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ci-tests.cmake)
