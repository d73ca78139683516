@echo off
rem Puts the path Pivora64 hands over on the clipboard, without a line break.
rem The sample settings start it from a slot; a .cmd slot runs without a window.
<nul set /p "=%~1" | clip
