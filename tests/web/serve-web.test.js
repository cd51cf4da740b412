// tools/serve-web as it is started from the command line: it serves only the real files inside its
// folder, even through a link changed while it is served, goes on serving after a file it cannot
// read, and answers only to its own names, with GET and HEAD only; the compressed copies it keeps
// stay within their bound.
'use strict';

const {runScenarios, assert} = require('./harness');

const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const {spawn} = require('child_process');

const SERVE_WEB = path.join(__dirname, '../../tools/serve-web');
const {serve} = require(SERVE_WEB);

// One request to the server at `port`, with the Host header `host`: {status, body}, and the
// response's headers for `{headers: true}`.
function get(port, pathname, host = `127.0.0.1:${port}`, {method = 'GET', headers: withHeaders = false, gzip = false} = {}) {
    return new Promise((resolve, reject) => {
        const headers = {Host: host, ...(gzip ? {'Accept-Encoding': 'gzip'} : {})};
        const request = http.request({host: '127.0.0.1', port, path: pathname, method, headers}, (response) => {
            const chunks = [];
            response.on('data', (chunk) => chunks.push(chunk));
            response.on('end', () => resolve({status: response.statusCode, body: Buffer.concat(chunks).toString(),
                                              ...(withHeaders ? {headers: response.headers} : {})}));
        });
        request.on('error', reject);
        request.end();
    });
}

// Starts tools/serve-web on `folder` with a port of its own choosing; as root, as the user nobody,
// so that a file's permissions stop it as they stop any user's server. The user nobody runs a copy
// of it beside the folder, as the checkout may lie where only root can read.
function start(folder) {
    const asRoot = process.getuid && process.getuid() === 0;
    const program = asRoot ? path.join(path.dirname(folder), 'serve-web') : SERVE_WEB;
    if (asRoot) {
        fs.copyFileSync(SERVE_WEB, program);
    }
    const server = spawn(process.execPath, [program, folder, '--port=0'],
                         {stdio: ['ignore', 'pipe', 'inherit'], ...(asRoot ? {uid: 65534, gid: 65534} : {})});
    return new Promise((resolve, reject) => {
        let out = '';
        server.stdout.on('data', (chunk) => {
            out += chunk;
            const found = /http:\/\/127\.0\.0\.1:(\d+)\//.exec(out);
            if (found) {
                resolve({server, port: Number(found[1])});
            }
        });
        server.on('exit', (code) => reject(new Error(`serve-web ended (${code}): ${out}`)));
    });
}

runScenarios({
    async 'only the real files inside the folder, to its own names, and on after a file it cannot read'() {
        const top = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-serve-'));
        fs.chmodSync(top, 0o755);
        const folder = path.join(top, 'site');
        const outside = path.join(top, 'outside');
        fs.mkdirSync(path.join(folder, 'pictures'), {recursive: true});
        fs.mkdirSync(outside);
        fs.writeFileSync(path.join(folder, 'index.html'), '<!DOCTYPE html><title>The page</title>');
        fs.writeFileSync(path.join(folder, 'pictures', 'ball.png'), 'a ball');
        // Readable by anyone: only the server's own rule keeps it out.
        fs.writeFileSync(path.join(outside, 'secret.txt'), 'not for the web');
        fs.symlinkSync(path.join(outside, 'secret.txt'), path.join(folder, 'secret.txt'));
        fs.symlinkSync(outside, path.join(folder, 'elsewhere'));
        fs.symlinkSync(path.join(folder, 'pictures', 'ball.png'), path.join(folder, 'same-ball.png'));
        fs.writeFileSync(path.join(folder, 'locked.js'), 'no one may read this');
        fs.chmodSync(path.join(folder, 'locked.js'), 0o000);

        const {server, port} = await start(folder);
        try {
            assert.equal((await get(port, '/')).body, '<!DOCTYPE html><title>The page</title>');
            // A link to a file inside the folder is served.
            assert.deepEqual(await get(port, '/same-ball.png'), {status: 200, body: 'a ball'});
            // Links out of it, and paths climbing out, are not.
            for (const pathname of ['/secret.txt', '/elsewhere/secret.txt', '/../outside/secret.txt',
                                    '/pictures/..%2f..%2foutside/secret.txt', '/%2e%2e/outside/secret.txt']) {
                const answer = await get(port, pathname);
                assert.equal(answer.status, 404, pathname);
                assert.ok(!answer.body.includes('not for the web'), pathname);
            }
            // A folder inside swapped for a link to the one outside and back, as fast as another
            // process can, while a file in it is asked for again and again: that file or nothing.
            fs.mkdirSync(path.join(folder, 'swapped'));
            fs.writeFileSync(path.join(folder, 'swapped', 'secret.txt'), 'a ball');
            const swapper = spawn(process.execPath, ['-e', `const fs = require('fs'), [at, out] = process.argv.slice(1);
                fs.symlinkSync(out, at + '.link');
                for (const steps = [[at, at + '.away'], [at + '.link', at], [at, at + '.link'], [at + '.away', at]]; ;) {
                    steps.forEach(([from, to]) => fs.renameSync(from, to));
                }`, path.join(folder, 'swapped'), outside], {stdio: 'ignore'});
            const answers = new Set();
            try {
                for (let round = 0; round < 200; ++round) {
                    const batch = await Promise.all(Array.from({length: 10}, () => get(port, '/swapped/secret.txt')));
                    batch.forEach(({status, body}) => answers.add(`${status} ${body}`));
                }
            } finally {
                swapper.kill();
            }
            assert.deepEqual([...answers].filter((answer) => answer !== '200 a ball' && answer !== '404 Not found'), []);
            assert.ok(answers.has('200 a ball'), 'the folder was never there');

            // A file it may not read: refused, and the server goes on.
            assert.equal((await get(port, '/locked.js')).status, 403);
            assert.equal((await get(port, '/pictures/ball.png')).status, 200);

            // Its own names with the port; any other name is refused whatever it points at.
            assert.equal((await get(port, '/', `localhost:${port}`)).status, 200);
            assert.equal((await get(port, '/', `LOCALHOST:${port}`)).status, 200);
            for (const host of [`attacker.example:${port}`, 'attacker.example', `127.0.0.1:${port + 1}`, '127.0.0.1',
                                `127.0.0.1:${port}.attacker.example`]) {
                const answer = await get(port, '/', host);
                assert.equal(answer.status, 421, host);
                assert.ok(!answer.body.includes('The page'), host);
            }
            assert.equal((await get(port, '/pictures/ball.png')).status, 200);
        } finally {
            server.kill();
            fs.rmSync(top, {recursive: true, force: true});
        }
    },

    async 'a stranger\'s name is neither logged nor served, methods other than GET and HEAD are refused, the compressed copies stay within their bound'() {
        const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-serve-'));
        const page = '<!DOCTYPE html><title>The page</title>';
        fs.writeFileSync(path.join(folder, 'index.html'), page);
        // Text that barely compresses, a new version of it at every request: a folder rebuilt
        // again and again while it is served.
        const script = path.join(folder, 'main.js');
        const random = () => `// ${require('crypto').randomBytes(3000).toString('base64')}\n`;
        const bound = 20000;
        const site = await serve(folder, 0, {cacheBytes: bound});
        try {
            const {port} = site;
            for (const method of ['GET', 'POST', 'HEAD']) {
                const answer = await get(port, `/?stranger=${method}`, `attacker.example:${port}`, {method});
                assert.equal(answer.status, 421, method);
            }
            assert.deepEqual(site.requests, [], 'a request to a name not its own was logged');

            for (const method of ['POST', 'PUT', 'DELETE', 'OPTIONS', 'PATCH']) {
                const answer = await get(port, '/', undefined, {method, headers: true});
                assert.equal(answer.status, 405, method);
                assert.equal(answer.headers.allow, 'GET, HEAD', method);
                assert.ok(!answer.body.includes('The page'), method);
            }
            const head = await get(port, '/', undefined, {method: 'HEAD', headers: true});
            assert.deepEqual([head.status, head.body, Number(head.headers['content-length'])], [200, '', page.length]);
            assert.equal((await get(port, '/')).body, page);

            for (let version = 0; version < 40; ++version) {
                const text = random();
                fs.writeFileSync(script, text);
                // Each version a new file, as a build writes it (a size and date of its own).
                fs.utimesSync(script, 1e9 + version, 1e9 + version);
                const answer = await get(port, '/main.js', undefined, {gzip: true, headers: true});
                assert.equal(answer.headers['content-encoding'], 'gzip');
                const kept = [...site.gzipped.values()].reduce((sum, body) => sum + body.length, 0);
                assert.ok(kept <= bound, `${kept} bytes kept after ${version + 1} versions`);
                assert.ok(site.gzipped.size >= 1, 'nothing kept');
            }
        } finally {
            site.server.close();
            fs.rmSync(folder, {recursive: true, force: true});
        }
    },
});
