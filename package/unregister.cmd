@echo off
rem Takes away what register.cmd added for the current user: the "Open with"
rem entry and the Send To shortcut. Settings and icon cache stay where they are.
rem /q leaves out the closing pause.
setlocal DisableDelayedExpansion
set "key=HKCU\Software\Classes\Applications\Pivora64.exe"
set result=0
reg query "%key%" >nul 2>&1
if errorlevel 1 goto shortcut
reg delete "%key%" /f >nul
if errorlevel 1 set result=1

:shortcut
cscript //nologo "%~dp0sendto-shortcut.js" remove
if errorlevel 1 set result=1
if %result%==0 echo Pivora64 is no longer in "Open with" or "Send to".
if not %result%==0 echo Not everything could be removed; see the messages above.
if /i not "%~1"=="/q" pause
exit /b %result%
