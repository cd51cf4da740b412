#!/usr/bin/env node
// Writes the page's script without its comments and with short local names (terser, from Debian's
// node-terser), so that the page, which carries it, comes in fewer of the network's round trips.
// Usage: node minify-script.js SCRIPT.js SMALL.js
'use strict';

const fs = require('fs');

// Debian's node packages are found by NODE_PATH (/usr/share/nodejs), which the web preset sets.
const terser = require('terser');

const [from, to] = process.argv.slice(2);
terser.minify(fs.readFileSync(from, 'utf8'), {ecma: 2020, compress: true, mangle: true, format: {comments: false}})
    .then((result) => fs.writeFileSync(to, `${result.code}\n`))
    .catch((error) => {
        console.error(error);
        process.exit(1);
    });
