@echo off
rem Takes away what register.cmd added for the current user: the "Open with"
rem entry, the Send To shortcut and the two context-menu verbs. The shell keys the
rem verbs sit under, other programs' verbs, settings and icon cache stay as they are.
rem /q leaves out the closing pause.
setlocal DisableDelayedExpansion
set result=0
call :remove "HKCU\Software\Classes\Applications\Pivora64.exe"
call :remove "HKCU\Software\Classes\*\shell\Pivora64"
call :remove "HKCU\Software\Classes\Directory\shell\Pivora64"
cscript //nologo "%~dp0sendto-shortcut.js" remove
if errorlevel 1 set result=1
if %result%==0 echo Pivora64 is no longer in "Open with", "Send to" or the context menu.
if not %result%==0 echo Not everything could be removed; see the messages above.
if /i not "%~1"=="/q" pause
exit /b %result%

rem Deletes one key with everything below it, when it is there.
:remove
reg query "%~1" >nul 2>&1
if errorlevel 1 exit /b 0
reg delete "%~1" /f >nul
if errorlevel 1 set result=1
exit /b 0
