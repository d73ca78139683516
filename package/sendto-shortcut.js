// Makes or removes the Pivora64 shortcut in the user's Send To folder, for
// register.cmd and unregister.cmd: a stock Windows writes shortcuts from a script
// through WScript.Shell.
//   cscript //nologo sendto-shortcut.js create "C:\path\Pivora64.exe"
//   cscript //nologo sendto-shortcut.js remove
// Exit code 0 when the shortcut is there (create) or gone (remove).
var SSF_SENDTO = 9;  // asked of the shell, which also knows a moved Send To folder
var LINK_NAME = "Pivora64.lnk";

function run(args) {
  var files = new ActiveXObject("Scripting.FileSystemObject");
  var sendTo = new ActiveXObject("Shell.Application").NameSpace(SSF_SENDTO);
  if (!sendTo) return fail("The Send To folder was not found.");
  var link = sendTo.Self.Path + "\\" + LINK_NAME;

  if (args.length == 2 && args.Item(0) == "create") {
    var exe = args.Item(1);
    if (!files.FileExists(exe)) return fail("Not found: " + exe);
    var shortcut = new ActiveXObject("WScript.Shell").CreateShortcut(link);
    shortcut.TargetPath = exe;
    shortcut.IconLocation = exe + ",0";
    shortcut.Description = "Pivora64";
    shortcut.Save();
    return files.FileExists(link) ? 0 : fail("The shortcut was not written: " + link);
  }
  if (args.length == 1 && args.Item(0) == "remove") {
    if (files.FileExists(link)) files.DeleteFile(link, true);
    return files.FileExists(link) ? fail("The shortcut could not be removed: " + link) : 0;
  }
  return fail("usage: sendto-shortcut.js create <Pivora64.exe path> | remove");
}

function fail(text) {
  WScript.Echo(text);
  return 1;
}

var code;
try {
  code = run(WScript.Arguments);
} catch (e) {
  code = fail("Send To shortcut: " + e.message);
}
WScript.Quit(code);
