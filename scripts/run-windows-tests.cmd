@echo off
setlocal EnableExtensions DisableDelayedExpansion
rem The Windows test programs, in the order they run:
set PROGRAMS=e2e_tests.exe win_layer_tests.exe release_tests.exe

rem Runs each program, shows its output, and closes with one line counted over the
rem test cases of all of them: "N passed, N failed, N skipped". Exits 1 when a case
rem failed, or a program was missing or stopped without its summary (a crash).
rem CI's Windows job runs this natively; the test command runs it under Wine.
rem   run-windows-tests.cmd [folder of the programs, default: this script's folder]
rem GoogleTest reads GTEST_FILTER from the environment: it narrows every program.
rem PIVORA_NO_DESKTOP=1 tells the programs that this session may not give their
rem windows the foreground; where it does not, they skip with that reason.

set "FOLDER=%~1"
if "%FOLDER%"=="" set "FOLDER=%~dp0."
set /a PASSED=0, FAILED=0, SKIPPED=0
for %%p in (%PROGRAMS%) do call :run %%p
echo.
echo %PASSED% passed, %FAILED% failed, %SKIPPED% skipped
if %FAILED% gtr 0 exit /b 1
exit /b 0

:run
set "LOG=%TEMP%\pivora-run-%~n1.log"
set /a P=0, F=0, S=0
echo.
echo ==== %1
if not exist "%FOLDER%\%1" (
  echo %1 is not in %FOLDER%
  set /a FAILED+=1
  goto :eof
)
"%FOLDER%\%1" > "%LOG%" 2>&1
set CODE=%ERRORLEVEL%
type "%LOG%"
rem GoogleTest's own counts, read back from its summary: "[  PASSED  ] 10 tests.",
rem "[  FAILED  ] 1 test, listed below:", "[  SKIPPED ] 2 tests, listed below:".
rem Only lines of that shape reach :tally, quoted: test output may hold characters
rem cmd would act on.
for /f "usebackq tokens=1-5" %%a in ("%LOG%") do (
  if "%%a %%c"=="[ ]" call :tally "%%b" "%%d" "%%e"
)
rem A program that stops without its summary (a crash) counts as one failure.
if not %CODE%==0 if %F%==0 set /a F=1
echo %~n1: %P% passed, %F% failed, %S% skipped, exit code %CODE%
set /a PASSED+=P, FAILED+=F, SKIPPED+=S
del "%LOG%" 2>nul
goto :eof

:tally
rem Summary lines only: the count followed by "test" or "tests", not a case name.
set "WORD=%~3"
if /i not "%WORD:~0,4%"=="test" goto :eof
if "%~1"=="PASSED" set /a P=%~2
if "%~1"=="FAILED" set /a F=%~2
if "%~1"=="SKIPPED" set /a S=%~2
goto :eof
