// Adds the verb "Pivora64 de hiraku" (open with Pivora64, in Japanese) to the
// context menu of every file and folder, for the current user only
// (HKCU\Software\Classes\* and ...\Directory), for register.cmd; unregister.cmd
// deletes the two keys. Written through Windows Script Host because cmd.exe reads a
// .cmd file in the console's code page, which cannot be relied on to carry the
// Japanese label into the registry; this file is plain ASCII and spells the label
// with \u escapes.
//   cscript //nologo context-menu.js "C:\path\Pivora64.exe"
// Exit code 0 when both verbs are written.
var VERB_KEYS = [
  "HKCU\\Software\\Classes\\*\\shell\\Pivora64\\",
  "HKCU\\Software\\Classes\\Directory\\shell\\Pivora64\\"
];
var LABEL = "Pivora64 \u3067\u958b\u304f";

function run(args) {
  if (args.length != 1) return fail("usage: context-menu.js <Pivora64.exe path>");
  var exe = args.Item(0);
  if (!new ActiveXObject("Scripting.FileSystemObject").FileExists(exe)) return fail("Not found: " + exe);
  var shell = new ActiveXObject("WScript.Shell");
  for (var i = 0; i < VERB_KEYS.length; ++i) {
    shell.RegWrite(VERB_KEYS[i], LABEL, "REG_SZ");
    shell.RegWrite(VERB_KEYS[i] + "Icon", "\"" + exe + "\"", "REG_SZ");
    shell.RegWrite(VERB_KEYS[i] + "command\\", "\"" + exe + "\" \"%1\"", "REG_SZ");
  }
  return 0;
}

function fail(text) {
  WScript.Echo(text);
  return 1;
}

var code;
try {
  code = run(WScript.Arguments);
} catch (e) {
  code = fail("Context menu: " + e.message);
}
WScript.Quit(code);
