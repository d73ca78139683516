@echo off
setlocal EnableExtensions DisableDelayedExpansion
rem The Windows test programs, in the order they run:
set PROGRAMS=e2e_tests.exe win_layer_tests.exe release_tests.exe
rem The only cases that may skip, by name. Registration changes the user's own
rem registration, so it runs in Wine's throwaway prefix only. Any other skip fails
rem the run: a session where every case skipped must not pass having tested nothing.
set ALLOWED_SKIPS=Registration.OpenWithAndSendToThenUndo

rem Runs each program, shows its output, and closes with one line counted over the
rem test cases of all of them: "N passed, N failed, N skipped (N not allowed)".
rem Exits 1 when a case failed or skipped without being allowed to, or a program was
rem missing or stopped without its summary (a crash). With GITHUB_STEP_SUMMARY set,
rem the counts also go there as a table.
rem CI's Windows job runs this natively; the test command runs it under Wine.
rem   run-windows-tests.cmd [folder of the programs, default: this script's folder]
rem GoogleTest reads GTEST_FILTER from the environment: it narrows every program.
rem PIVORA_NO_DESKTOP=1 tells the programs that this session may not give their
rem windows the foreground; where it does not, they skip with that reason.

set "FOLDER=%~1"
if "%FOLDER%"=="" set "FOLDER=%~dp0."
set "SUMMARY=nul"
if defined GITHUB_STEP_SUMMARY set "SUMMARY=%GITHUB_STEP_SUMMARY%"
>>"%SUMMARY%" echo ## Windows test programs
>>"%SUMMARY%" echo.
>>"%SUMMARY%" echo ^| program ^| passed ^| failed ^| skipped ^| not allowed to skip ^| exit code ^|
>>"%SUMMARY%" echo ^|---^|---^|---^|---^|---^|---^|
set /a PASSED=0, FAILED=0, SKIPPED=0, UNALLOWED=0
for %%p in (%PROGRAMS%) do call :run %%p
echo.
echo %PASSED% passed, %FAILED% failed, %SKIPPED% skipped (%UNALLOWED% not allowed)
>>"%SUMMARY%" echo ^| all ^| %PASSED% ^| %FAILED% ^| %SKIPPED% ^| %UNALLOWED% ^| ^|
if %FAILED% gtr 0 exit /b 1
if %UNALLOWED% gtr 0 exit /b 1
exit /b 0

:run
set "LOG=%TEMP%\pivora-run-%~n1.log"
set /a P=0, F=0, S=0, U=0
echo.
echo ==== %1
if not exist "%FOLDER%\%1" (
  echo %1 is not in %FOLDER%
  >>"%SUMMARY%" echo ^| %~n1 ^| ^| 1 ^| ^| ^| missing ^|
  set /a FAILED+=1
  goto :eof
)
"%FOLDER%\%1" > "%LOG%" 2>&1
set CODE=%ERRORLEVEL%
type "%LOG%"
rem GoogleTest's own counts, read back from its summary: "[  PASSED  ] 10 tests.",
rem "[  FAILED  ] 1 test, listed below:", "[  SKIPPED ] 2 tests, listed below:",
rem then the skipped cases one a line: "[  SKIPPED ] Suite.Case".
rem Only lines of that shape reach :tally, quoted: test output may hold characters
rem cmd would act on.
for /f "usebackq tokens=1-5" %%a in ("%LOG%") do (
  if "%%a %%c"=="[ ]" call :tally "%%b" "%%d" "%%e"
)
rem A program that stops without its summary (a crash) counts as one failure.
if not %CODE%==0 if %F%==0 set /a F=1
echo %~n1: %P% passed, %F% failed, %S% skipped, exit code %CODE%
>>"%SUMMARY%" echo ^| %~n1 ^| %P% ^| %F% ^| %S% ^| %U% ^| %CODE% ^|
set /a PASSED+=P, FAILED+=F, SKIPPED+=S, UNALLOWED+=U
del "%LOG%" 2>nul
goto :eof

:tally
set "WORD=%~3"
rem A case's name alone after SKIPPED: one of the skipped cases.
if "%~1%WORD%"=="SKIPPED" goto :skipped
rem Summary lines only: the count followed by "test" or "tests", not a case name.
if /i not "%WORD:~0,4%"=="test" goto :eof
if "%~1"=="PASSED" set /a P=%~2
if "%~1"=="FAILED" set /a F=%~2
if "%~1"=="SKIPPED" set /a S=%~2
goto :eof

:skipped
for %%n in (%ALLOWED_SKIPS%) do if "%%n"=="%~2" goto :eof
echo %~2 skipped, and only %ALLOWED_SKIPS% may skip
set /a U+=1
goto :eof
