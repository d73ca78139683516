# libFuzzer targets over the platform-free rules, with AddressSanitizer and
# UndefinedBehaviorSanitizer. Configured with clang: scripts/fuzz.sh builds them into
# build/fuzz and runs them.
set(FUZZ_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
# Only the rules get the coverage instrumentation that steers the fuzzer: the
# targets' own decoding and checking is not what it should learn from, and tracing
# their scans over line-sized buffers would cost most of its time.
target_compile_options(pivora_rules PRIVATE ${FUZZ_SANITIZERS} -fsanitize=fuzzer-no-link)

set(PIVORA_FUZZ_TARGETS
  argument_string
  launch_plan
  icon_source
  ico_layout
  slot_save
  link_value
  drag_gesture
  edit_texts
  slot_edits
  command_line
  settings_text
)
foreach(name ${PIVORA_FUZZ_TARGETS})
  add_executable(fuzz_${name} tests/fuzz/${name}_fuzz.cpp)
  target_include_directories(fuzz_${name} PRIVATE src tests/fuzz)
  target_compile_options(fuzz_${name} PRIVATE ${PIVORA_WARNINGS} ${FUZZ_SANITIZERS})
  target_link_options(fuzz_${name} PRIVATE ${FUZZ_SANITIZERS} -fsanitize=fuzzer)
  target_link_libraries(fuzz_${name} PRIVATE pivora_rules)
endforeach()
