#!/usr/bin/env node
// Checks .glb files with the Khronos glTF validator (npm gltf-validator, which
// scripts/test installs into BUILD/node). Prints one line per file, then one per
// error or warning; exits 1 when a file has an error or a warning that the
// README does not explain (KNOWN below), 2 when the validator is missing.
//
//   node scripts/validate-gltf.js NODE_MODULES_DIR FILE.glb...
'use strict';
const fs = require('fs');
const path = require('path');

// Warnings the README explains, by the validator's code.
const KNOWN = new Set([]);

async function main() {
    const [modules, ...files] = process.argv.slice(2);
    let validator;
    try {
        validator = require(path.join(modules, 'gltf-validator'));
    } catch (e) {
        console.error(`the glTF validator is not installed in ${modules}: ${e.message}`);
        return 2;
    }
    let failed = false;
    for (const file of files) {
        const report = await validator.validateBytes(new Uint8Array(fs.readFileSync(file)), {
            uri: file,
            maxIssues: 0,
        });
        const issues = report.issues;
        console.log(`${file}: ${issues.numErrors} errors, ${issues.numWarnings} warnings, ` +
                    `${issues.numInfos} infos, ${issues.numHints} hints`);
        for (const message of issues.messages) {
            if (message.severity > 1) continue;  // infos and hints
            const known = message.severity === 1 && KNOWN.has(message.code);
            if (!known) failed = true;
            console.log(`  ${message.severity === 0 ? 'error' : 'warning'} ${message.code} ${message.pointer || ''}: ` +
                        `${message.message}${known ? ' (explained in the README)' : ''}`);
        }
    }
    return failed ? 1 : 0;
}

main().then((code) => process.exit(code), (e) => {
    console.error(e);
    process.exit(1);
});
