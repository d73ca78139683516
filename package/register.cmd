@echo off
rem Adds Pivora64 for the current user only, without administrator rights:
rem   "Open with"  HKCU\Software\Classes\Applications\Pivora64.exe
rem   "Send to"    a shortcut Pivora64.lnk in the user's SendTo folder
rem   the verb "Pivora64 de hiraku" on every file and folder (context-menu.js)
rem                HKCU\Software\Classes\*\shell\Pivora64, ...\Directory\shell\Pivora64
rem It registers the Pivora64.exe beside this script: run it again after moving
rem the folder. unregister.cmd takes all of it away. /q leaves out the closing pause.
setlocal DisableDelayedExpansion
set "here=%~dp0"
set "exe=%~dp0Pivora64.exe"
set "key=HKCU\Software\Classes\Applications\Pivora64.exe"
rem The path is used only through delayed expansion, so & ( ) ^ in it stay plain text.
setlocal EnableDelayedExpansion
if not exist "!exe!" goto missing
reg add "!key!\shell\open\command" /ve /d "\"!exe!\" \"%%1\"" /f >nul
if errorlevel 1 goto failed
reg add "!key!" /v FriendlyAppName /d "Pivora64" /f >nul
if errorlevel 1 goto failed
cscript //nologo "!here!sendto-shortcut.js" create "!exe!"
if errorlevel 1 goto failed
cscript //nologo "!here!context-menu.js" "!exe!"
if errorlevel 1 goto failed
echo Pivora64 is now in "Open with", "Send to" and the context menu of files and folders: !exe!
set result=0
goto done

:missing
echo Pivora64.exe is not beside this script: !exe!
set result=1
goto done

:failed
echo The registration did not complete; unregister.cmd takes back what was done.
set result=1

:done
if /i not "%~1"=="/q" pause
exit /b %result%
