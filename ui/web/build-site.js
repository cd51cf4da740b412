#!/usr/bin/env node
// Builds the web page's folder, which any static web server can serve as it is. Here, and nowhere
// else, are decided every name, digest and policy of the site:
//   - the game's module (its script and WebAssembly) and the layout's small module the page has
//     before it under names made from their contents, so that a page never runs with another
//     version's module;
//   - the page: its own markup (site/index.html) with the main window as the game's start-up leaves
//     it (start-view.js), the style sheet, the windows' design and the page's script (its modules
//     under site/js, bundled and made small by esbuild, with the module's names and the
//     WebAssembly's digest written in) inside it, so that the browser has them with the page itself;
//   - the page's policy (its Content-Security-Policy): only the page's script and the module's
//     script run and only the page's style sheet applies, each named by its digest (what every
//     browser the page supports understands), and the WebAssembly is compiled only if it is the file
//     built here;
//   - the files of the site, copied in; any other file in the folder, left by an earlier build,
//     is removed;
//   - the service worker (site/sw.js.in), with the list of every file and its digest, and a version
//     made from them.
// Usage: node build-site.js --source=ui/web/site --site=FOLDER --esbuild=PROGRAM
//          --layout-program=zentrix-layout.js --module=zentrix-wasm.js --layout-module=zentrix-layout.wasm
//          [NAME=FILE ...]
//   (each NAME=FILE is a file of the site, copied in under NAME)
'use strict';

const crypto = require('crypto');
const fs = require('fs');
const path = require('path');
const {execFileSync} = require('child_process');
const {startView, withWindowsQuery} = require('./start-view');

// The browsers the page plays in (README), for which the page's script and style sheet are written.
const BROWSERS = 'chrome102,edge102,firefox102,safari16';

const sha256 = (data) => crypto.createHash('sha256').update(data);
// A digest as a policy or an integrity attribute names it.
const named = (data) => `sha256-${sha256(data).digest('base64')}`;
const hex = (data) => sha256(data).digest('hex');
// The name of a module file, made from its contents.
const contentName = (data, extension, name = 'zentrix') => `${name}-${hex(data).slice(0, 12)}${extension}`;

// Every file under `folder`, by its path in it, sorted.
function filesIn(folder, under = '') {
    return fs.readdirSync(path.join(folder, under), {withFileTypes: true}).flatMap((entry) => {
        const name = under ? `${under}/${entry.name}` : entry.name;
        return entry.isDirectory() ? filesIn(folder, name) : [name];
    }).sort();
}

// Writes the service worker from its template: every file of the site with its SHA-256 (the page
// also as the site's own address), and a version made from them, so that a changed site replaces
// the one kept.
function writeServiceWorker(site, template) {
    const files = filesIn(site).filter((name) => name !== 'sw.js');
    const digests = new Map(files.map((name) => [name, hex(fs.readFileSync(path.join(site, name)))]));
    const list = [['./', digests.get('index.html')], ...files.map((name) => [`./${name}`, digests.get(name)])];
    const version = hex(files.map((name) => `${digests.get(name)}${name}`).join('')).slice(0, 16);
    const worker = fillIn(fs.readFileSync(template, 'utf8'), 'sw.js.in', {
        ZENTRIX_SITE_VERSION: version,
        ZENTRIX_SITE_FILES: list.map(([name, digest]) => `    ['${name}', '${digest}'],\n`).join(''),
    });
    fs.writeFileSync(path.join(site, 'sw.js'), worker);
}

// `text` with each "@NAME@" of `values` replaced, which `text` must hold.
function fillIn(text, what, values) {
    for (const [name, value] of Object.entries(values)) {
        if (!text.includes(`@${name}@`)) {
            throw new Error(`${what} no longer names @${name}@`);
        }
        text = text.split(`@${name}@`).join(value);
    }
    return text;
}

// `text` with `what`, which it must hold once, replaced by `by`.
function replaceOnce(text, what, by) {
    const at = text.indexOf(what);
    if (at < 0 || text.indexOf(what, at + 1) >= 0) {
        throw new Error(`index.html must hold ${what} once`);
    }
    return text.slice(0, at) + by + text.slice(at + what.length);
}

// esbuild on `input`: what it prints.
const esbuild = (program, args, input) => execFileSync(program, args, {input, encoding: 'utf8', maxBuffer: 1 << 26});

// Text that goes inside a script or style element: "</" would end it early.
function inside(text, what) {
    if (text.includes('</')) {
        throw new Error(`${what} holds "</", which would end it early in the page`);
    }
    return text;
}

function buildSite(options, copied) {
    const {source, site} = options;
    fs.mkdirSync(site, {recursive: true});

    // The module's files under their contents' names.
    const moduleScript = fs.readFileSync(options.module);
    const wasm = fs.readFileSync(options.module.replace(/\.js$/, '.wasm'));
    const moduleFile = contentName(moduleScript, '.js');
    const wasmFile = contentName(wasm, '.wasm');
    // The layout's own small module, which the page's script has before the game's.
    const layoutWasm = fs.readFileSync(options['layout-module']);
    const layoutWasmFile = contentName(layoutWasm, '.wasm', 'zentrix-layout');

    // The main window as the game's start-up leaves it, from the design the game prints.
    const layout = JSON.parse(execFileSync(process.execPath, [options['layout-program']], {encoding: 'utf8'}));
    const start = startView(layout);

    // The page's script: its modules in one, with the module's names and digest.
    const define = (name, value) => `--define:${name}=${JSON.stringify(value)}`;
    const script = inside(esbuild(options.esbuild, [
        path.join(source, 'js', 'main.js'), '--bundle', '--format=iife', '--minify', `--target=${BROWSERS}`,
        '--legal-comments=none', '--banner:js="use strict";', '--log-level=warning',
        define('MODULE_SCRIPT', moduleFile), define('MODULE_WASM', wasmFile),
        define('MODULE_WASM_INTEGRITY', named(wasm)),
        define('LAYOUT_WASM', layoutWasmFile), define('LAYOUT_WASM_INTEGRITY', named(layoutWasm)),
    ]), "The page's script");
    const style = inside(esbuild(options.esbuild, ['--loader=css', '--minify', `--target=${BROWSERS}`, '--log-level=warning'],
                                 withWindowsQuery(fs.readFileSync(path.join(source, 'zentrix.css'), 'utf8'), layout) +
                                 start.style),
                         "The page's style sheet");
    // JSON reads "<\/" as the same two characters.
    const design = JSON.stringify(start.pageLayout).replace(/<\//g, '<\\/');

    // The page as the browser will read it, its script and style sheet named in its policy.
    let page = fs.readFileSync(path.join(source, 'index.html'), 'utf8');
    // The policy allows no style attribute and no inline event handler: the page's markup has none.
    if (/<[^>]*[ \t\n](style|on[a-z]+)[ \t\n]*=/.test(page)) {
        throw new Error('index.html has a style or event handler attribute, which its policy refuses');
    }
    const policy = [
        "default-src 'self'",
        `script-src '${named(`\n${script}`)}' '${named(moduleScript)}' 'wasm-unsafe-eval'`,
        `style-src '${named(`\n${style}`)}'`,
        "worker-src 'self'", "object-src 'none'", "base-uri 'none'", "form-action 'none'",
    ].join('; ');
    const charset = '<meta charset="utf-8">';
    page = replaceOnce(page, charset, `${charset}\n<meta http-equiv="Content-Security-Policy" content="${policy}">`);
    page = replaceOnce(page, '</head>', `${start.head}<style>\n${style}</style>\n</head>`);
    page = replaceOnce(page, '<div id="board"></div>', `<div id="board">${start.markup}</div>`);
    // The page's script before its word that the game cannot start, which it hides before it shows.
    const cannotRun = '<p id="cannot-run"';
    page = replaceOnce(page, cannotRun, `<script type="application/json" id="zentrix-layout">${design}</script>\n` +
                       `<script>\n${script}</script>\n${cannotRun}`);

    // The site's files, and nothing else.
    const written = new Map([['index.html', page], [moduleFile, moduleScript], [wasmFile, wasm],
                             [layoutWasmFile, layoutWasm]]);
    for (const [name, file] of copied) {
        written.set(name, fs.readFileSync(file));
    }
    for (const name of filesIn(site)) {
        if (!written.has(name) && name !== 'sw.js') {
            console.log(`Removing ${name}, no longer part of the site`);
            fs.rmSync(path.join(site, name));
        }
    }
    for (const [name, data] of written) {
        const to = path.join(site, name);
        if (!fs.existsSync(to) || !fs.readFileSync(to).equals(Buffer.from(data))) {
            fs.mkdirSync(path.dirname(to), {recursive: true});
            fs.writeFileSync(to, data);
        }
    }
    writeServiceWorker(site, path.join(source, 'sw.js.in'));
}

if (require.main === module) {
    const args = process.argv.slice(2);
    const options = Object.fromEntries(args.filter((a) => a.startsWith('--')).map((a) => {
        const [name, ...value] = a.slice(2).split('=');
        return [name, value.join('=')];
    }));
    const copied = args.filter((a) => !a.startsWith('--')).map((a) => a.split('='));
    try {
        buildSite(options, copied);
    } catch (error) {
        console.error(error.message || error);
        process.exit(1);
    }
}

module.exports = {writeServiceWorker};
