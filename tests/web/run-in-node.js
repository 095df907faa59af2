// Runs a test program that Qt built for the web under node:
//   node run-in-node.js PROGRAM.js [ARGUMENTS...]
// Qt makes the program a module whose factory runs it, and reads the
// languages of the browser, which node 20 has no navigator to tell.
"use strict";
globalThis.navigator ??= { language: "en-US", languages: ["en-US"] };
require(require("path").resolve(process.argv[2]))({
  arguments: process.argv.slice(3),
});
