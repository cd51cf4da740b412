// The site build (ui/web/build-site.js), run again over a folder an earlier build left: the folder
// holds the site and nothing else, the worker lists every file of it with its digest, and the page
// names what it runs by the digests of what is there.
// Usage: node site-build.test.js SITE BUILD-SITE.js ARGUMENTS...
'use strict';

const {runScenarios, assert} = require('./harness');

const crypto = require('crypto');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {execFileSync} = require('child_process');

const [site, ...build] = process.argv.slice(2);
const digest = (data, encoding) => crypto.createHash('sha256').update(data).digest(encoding);

// Every file under `folder`, by its path in it.
const filesIn = (folder) => fs.readdirSync(folder, {recursive: true})
    .filter((name) => fs.statSync(path.join(folder, name)).isFile()).sort();

runScenarios({
    async 'a rebuild over an earlier build keeps only the site, listed whole in the worker and named in the page'() {
        const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-site-'));
        try {
            fs.cpSync(site, folder, {recursive: true});
            const left = ['zentrix-000000000000.js', 'zentrix-000000000000.wasm', 'pictures/old@2x.webp', 'notes.txt'];
            for (const name of left) {
                fs.writeFileSync(path.join(folder, name), 'an earlier build');
            }
            fs.writeFileSync(path.join(folder, 'index.html'), 'an earlier page');
            execFileSync(process.execPath, [...build, `--site=${folder}`], {stdio: ['ignore', 'ignore', 'inherit']});

            assert.deepEqual(filesIn(folder), filesIn(site));
            const page = fs.readFileSync(path.join(folder, 'index.html'), 'utf8');
            assert.equal(page, fs.readFileSync(path.join(site, 'index.html'), 'utf8'));
            const worker = fs.readFileSync(path.join(folder, 'sw.js'), 'utf8');
            const listed = [...worker.matchAll(/\['\.\/([^']*)', '([0-9a-f]{64})'\]/g)].map(([, name, hex]) => [name, hex]);
            const files = filesIn(folder).filter((name) => name !== 'sw.js');
            assert.deepEqual(listed, [['', digest(fs.readFileSync(path.join(folder, 'index.html')), 'hex')],
                                      ...files.map((name) => [name, digest(fs.readFileSync(path.join(folder, name)), 'hex')])]);

            // The policy names the page's script and style sheet and the module's script by their
            // digests, and the page asks for the WebAssembly by the digest of the file there.
            const inline = (tag) => [...page.matchAll(new RegExp(`<${tag}>([\\s\\S]*?)</${tag}>`, 'g'))].map((m) => m[1]);
            const policy = /Content-Security-Policy" content="([^"]*)"/.exec(page)[1];
            const module = files.find((name) => /^zentrix-[0-9a-f]{12}\.js$/.test(name));
            const wasm = files.find((name) => /^zentrix-[0-9a-f]{12}\.wasm$/.test(name));
            const named = (data) => `'sha256-${digest(data, 'base64')}'`;
            assert.match(policy, new RegExp(`script-src ${named(inline('script')[0])} ${
                named(fs.readFileSync(path.join(folder, module)))} 'wasm-unsafe-eval';`.replace(/[+/]/g, '\\$&')));
            assert.ok(policy.includes(`style-src ${named(inline('style')[0])};`), policy);
            assert.ok(inline('script')[0].includes(`"sha256-${digest(fs.readFileSync(path.join(folder, wasm)), 'base64')}"`));
        } finally {
            fs.rmSync(folder, {recursive: true, force: true});
        }
    },
});
