@echo off
rem Starts beadsort.exe for a double-click: the console shows its UTF-8 text
rem for the run, and the window stays open after the report. The program's
rem own input and output pass through untouched.
setlocal
for /f "tokens=2 delims=:." %%p in ('chcp') do set /a codepage=%%p
chcp 65001 >nul
"%~dp0beadsort.exe"
set status=%errorlevel%
pause
if defined codepage chcp %codepage% >nul
exit /b %status%
