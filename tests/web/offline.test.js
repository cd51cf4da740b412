// After the first visit the page loads and plays with the network off, and offers what a browser
// needs to install it as an app.
'use strict';

const {withBrowser, runScenarios, assert, ready, deals, chooseMenu, FREE_BALL} = require('./harness');

const crypto = require('crypto');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const {writeServiceWorker} = require('../../ui/web/build-site');

const site = process.argv[2];

// A plain static host: each file with its Last-Modified date and `Cache-Control: max-age=600`,
// no ETag, 304 for an unchanged date, and any `extra` headers (or those `extra(path)` gives). It
// serves whichever folder `folder.current` names, and lists the paths asked for in `asked`.
function plainHost(folder, extra = {}) {
    const asked = [];
    const server = http.createServer((request, response) => {
        let pathname = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
        asked.push(pathname);
        if (pathname.endsWith('/')) {
            pathname += 'index.html';
        }
        const file = path.join(folder.current, pathname);
        if (!fs.existsSync(file) || !fs.statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        const modified = new Date(Math.floor(fs.statSync(file).mtimeMs / 1000) * 1000).toUTCString();
        const type = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                      '.png': 'image/png', '.jpg': 'image/jpeg', '.webmanifest': 'application/manifest+json'};
        const headers = {'Content-Type': type[path.extname(file)] || 'application/octet-stream',
                         'Last-Modified': modified, 'Cache-Control': 'max-age=600',
                         ...(typeof extra === 'function' ? extra(pathname) : extra)};
        if (request.headers['if-modified-since'] === modified) {
            response.writeHead(304, headers).end();
            return;
        }
        response.writeHead(200, headers).end(fs.readFileSync(file));
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () =>
        resolve({server, asked, url: `http://127.0.0.1:${server.address().port}/`})));
}

// The name of the file only `build` has.
const onlyFile = (build) => `zentrix-${crypto.createHash('sha256').update(build).digest('hex').slice(0, 12)}.txt`;

// A copy of the site marked as `build`: a marker in the page, and one in the module's script (the
// page's last), named in the page's policy by its new digest as the build does it, a file only it
// has, as a module file named by its contents; the service worker written again.
function markedCopy(build, into, later) {
    fs.cpSync(site, into, {recursive: true});
    const pagePath = path.join(into, 'index.html');
    const page = fs.readFileSync(pagePath, 'utf8');
    const original = [...page.matchAll(/<script>([\s\S]*?)<\/script>/g)].pop()[1];
    const text = `globalThis.zentrixBuild = '${build}';\n${original}`;
    const digest = (what) => `'sha256-${crypto.createHash('sha256').update(what).digest('base64')}'`;
    fs.writeFileSync(pagePath, page.split(original).join(text).split(digest(original)).join(digest(text))
        .replace('<head>', `<head>\n<meta name="zentrix-build" content="${build}">`));
    fs.writeFileSync(path.join(into, onlyFile(build)), build);
    writeServiceWorker(into, path.join(__dirname, '../../ui/web/site/sw.js.in'));
    // Deployed later: every file a minute newer.
    const walk = (dir) => fs.readdirSync(dir, {withFileTypes: true}).forEach((entry) => {
        const full = path.join(dir, entry.name);
        if (entry.isDirectory()) {
            walk(full);
        } else {
            fs.utimesSync(full, later, later);
        }
    });
    walk(into);
}

// A visit of `page` to `host`: which build the page is, and which its module's script is.
async function visit(page, host, what) {
    const from = host.asked.length;
    await page.goto(host.url);
    await ready(page);
    const builds = await page.evaluate(() => [
        document.querySelector('meta[name="zentrix-build"]').content, globalThis.zentrixBuild]);
    assert.equal(builds[0], builds[1], `${what}: a page of ${builds[0]} with the module of ${builds[1]}`);
    // The player stays while the page asks for the worker's script and any new version it finds has
    // installed: one worker, active. (A visit that ends sooner leaves the new version for the one
    // after.) Once the page has asked, the test waits for that check to be over: an update asked
    // for meanwhile joins it, and resolves once a new worker, if any, is installing.
    const started = Date.now();
    for (;;) {
        const asked = host.asked.slice(from).includes('/sw.js');
        if (asked && await page.evaluate(async () => {
            const registration = await navigator.serviceWorker.getRegistration();
            if (!registration) {
                return false;
            }
            await registration.update().catch(() => {});
            return Boolean(registration.active && !registration.installing && !registration.waiting);
        })) {
            break;
        }
        assert.ok(Date.now() - started < 20000,
                  `${what}: ${asked ? 'the new version never installed' : 'the page never asked for sw.js'}`);
        await page.waitForTimeout(100);
    }
    return builds[0];
}

runScenarios({
    async 'offline after the first visit, installable'() {
        await withBrowser(site, async ({context, site: served, open}) => {
            const page = await open('?seed=2');
            // The service worker has kept every file and controls the page.
            await page.evaluate(() => navigator.serviceWorker.ready);
            await page.waitForFunction(() => navigator.serviceWorker.controller !== null);

            // The manifest: a name, a start address, a standalone window and large icons.
            const manifestUrl = await page.locator('link[rel="manifest"]').getAttribute('href');
            const manifest = await (await page.request.get(new URL(manifestUrl, served.url).href)).json();
            assert.equal(manifest.name, 'Zentrix');
            assert.equal(manifest.display, 'standalone');
            assert.ok(manifest.icons.some((icon) => parseInt(icon.sizes, 10) >= 144));
            for (const icon of manifest.icons) {
                const response = await page.request.get(new URL(icon.src, served.url).href);
                assert.equal(response.status(), 200, icon.src);
            }

            // The network off, and the server stopped too: the page comes back from the cache.
            served.server.close();
            await context.setOffline(true);
            const asked = served.requests.length;
            await page.reload();
            await page.getByRole('button', {name: 'Next Ball', exact: true}).waitFor();
            await ready(page);
            await deals(page);
            // The balls' pictures came from the cache as well.
            const pictures = await page.getByRole('button', {name: /^Ball \d/}).first()
                .evaluate((e) => getComputedStyle(e).backgroundImage);
            assert.match(pictures, /pictures\/\d+@2x\.webp/);
            const loaded = await page.evaluate((url) => new Promise((resolve) => {
                const img = new Image();
                img.onload = () => resolve(img.naturalWidth);
                img.onerror = () => resolve(0);
                img.src = url;
            }), pictures.replace(/^url\("?|"?\)$/g, ''));
            assert.ok(loaded > 0);
            assert.equal(served.requests.length, asked, 'the page went to the network');
        });
    },

    async 'another page of the origin writing into the worker\'s caches: nothing it wrote is served, the page comes again from the host'() {
        await withBrowser(site, async ({context, site: served, open}) => {
            const page = await open('?seed=2');
            await page.evaluate(() => navigator.serviceWorker.ready);
            await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
            // Wrong bodies for the page and its manifest in the worker's cache, and a cache of an
            // earlier version made up, whole and last in service, with a module file of its own.
            const tamper = () => page.evaluate(async () => {
                const name = (await caches.keys()).find((key) => key.startsWith('zentrix '));
                const cache = await caches.open(name);
                const html = {headers: {'Content-Type': 'text/html'}};
                await cache.put('./', new Response('<title>Changed</title><p id="changed">Changed', html));
                await cache.put('./index.html', new Response('<title>Changed</title><p id="changed">Changed', html));
                await cache.put('manifest.webmanifest', new Response('{"name": "Changed"}'));
                const earlier = await caches.open(name.replace(/[^ ]*$/, 'earlier'));
                await earlier.put('zentrix-0123456789ab.js', new Response('window.changed = true;'));
                await earlier.put('.zentrix-cache-whole', new Response('{"served": 1000}'));
            });
            const fetched = (name) => page.evaluate((url) => fetch(url).then((r) => r.text(), () => null), name);
            const isChanged = () => page.locator('#changed').count();

            // With the host there: each file of this version as it lists it, and the copy mended.
            await tamper();
            await page.reload();
            assert.equal(await isChanged(), 0, 'the page served is the one written into the cache');
            await ready(page);
            assert.equal(JSON.parse(await fetched('manifest.webmanifest')).name, 'Zentrix');
            assert.notEqual(await page.evaluate(() => caches.match('./').then((r) => r.text())),
                            '<title>Changed</title><p id="changed">Changed');

            // Without it: refused, as the host has not got them either.
            await tamper();
            served.server.close();
            await context.setOffline(true);
            assert.equal(await fetched('manifest.webmanifest'), null);
            assert.equal(await fetched('zentrix-0123456789ab.js'), null);
            await page.reload().catch(() => {});
            assert.equal(await isChanged(), 0, 'the page served offline is the one written into the cache');
        }, {expectedErrors: [/^Failed to load resource: net::ERR_(FAILED|INTERNET_DISCONNECTED)$/]});
    },

    async 'the start pictures come with the page, each picture once, all of them kept by the worker'() {
        await withBrowser(site, async ({context, site: served, open}) => {
            const asked = [];
            context.on('request', (request) => {
                if (!request.serviceWorker() && /\/pictures\//.test(request.url())) {
                    asked.push(new URL(request.url()).pathname);
                }
            });
            const page = await open('?seed=2');
            // The board's pictures at the start are named in the page as the server sends it.
            const sent = await (await page.request.get(served.url)).text();
            const start = await page.locator('#board img').evaluateAll((imgs) => imgs.map((img) => img.getAttribute('src')));
            assert.ok(start.length > 0);
            for (const src of start) {
                assert.ok(sent.includes(`src="${src}"`), `${src} is not in the page as sent`);
            }

            // A round dealt, and About opened: every picture the page has drawn is one the worker keeps.
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            await chooseMenu(page, 'Help', 'About');
            await page.locator('.help-client').waitFor();
            const drawn = await page.evaluate(() => [...document.querySelectorAll('*')].flatMap((e) => [
                e.currentSrc || '', ...[...getComputedStyle(e).backgroundImage.matchAll(/url\("?([^")]+)"?\)/g)].map((m) => m[1]),
            ]).filter(Boolean).map((url) => new URL(url, location.href).pathname).filter((name) => name.startsWith('/pictures/')));
            const kept = await (await page.request.get(new URL('sw.js', served.url).href)).text();
            for (const name of new Set(drawn)) {
                assert.ok(kept.includes(`'.${name}'`), `the worker does not keep ${name}`);
            }
            assert.ok(drawn.some((name) => name.includes('title-top')) && drawn.some((name) => /\/(\d|10)@2x/.test(name)));
            // The page asked for each picture once (the worker's own copies are not the page's).
            assert.deepEqual(asked.filter((name, i) => asked.indexOf(name) !== i), []);
        });
    },

    async 'a new version reaches a returning player by the second visit after it, never mixed'() {
        const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-versions-'));
        const now = Date.now() / 1000;
        markedCopy('v1', path.join(root, 'v1'), now - 120);
        markedCopy('v2', path.join(root, 'v2'), now - 60);
        const folder = {current: path.join(root, 'v1')};
        const host = await plainHost(folder);
        try {
            await withBrowser(site, async ({context}) => {
                const page = context.pages()[0] || await context.newPage();
                assert.equal(await visit(page, host, 'first visit'), 'v1');
                assert.equal(await visit(page, host, 'second visit'), 'v1');
                folder.current = path.join(root, 'v2');
                const first = await visit(page, host, 'first visit after the update');
                const second = await visit(page, host, 'second visit after the update');
                assert.equal(second, 'v2', `still ${first}, then ${second}`);
                assert.equal(await visit(page, host, 'third visit after the update'), 'v2');
                await chooseMenu(page, 'File', 'New');
                await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            }, {origins: [host.url]});
        } finally {
            host.server.close();
            fs.rmSync(root, {recursive: true, force: true});
        }
    },

    async 'back to an earlier version, a store cut short, then on: each version plays offline, and a page still open keeps its files'() {
        const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-rollback-'));
        const builds = ['v1', 'v2', 'v1', 'v3'];
        builds.forEach((build, i) => markedCopy(build, path.join(root, `${i}`), Date.now() / 1000 - 300 + 60 * i));
        const folder = {};
        const host = await plainHost(folder);
        try {
            await withBrowser(site, async ({context}) => {
                const page = context.pages()[0] || await context.newPage();
                // The `i`th version put out, until the page is `build`; then offline, the page as well.
                const putOut = async (i, build = builds[i]) => {
                    await context.setOffline(false);
                    folder.current = path.join(root, `${i}`);
                    if (build === builds[i]) {
                        await visit(page, host, `first visit of ${i}`);
                        assert.equal(await visit(page, host, `second visit of ${i}`), build);
                    } else {
                        // Its store fails: the page stays until its worker has tried, and given up.
                        await page.goto(host.url);
                        while (!host.asked.includes(`/${onlyFile(builds[i])}`)) {
                            await page.waitForTimeout(100);
                        }
                        await page.waitForFunction(async () => !(await navigator.serviceWorker.getRegistration()).installing);
                    }
                    await context.setOffline(true);
                    assert.ok((await page.reload()).fromServiceWorker(), `${i} offline`);
                    await ready(page);
                    assert.equal(await page.locator('meta[name="zentrix-build"]').getAttribute('content'), build);
                    await deals(page);
                };
                // The file only `build` has, as `from` gets it past the browser's HTTP cache: its text, or nothing.
                const only = (from, build) => from.evaluate(
                    (name) => fetch(name, {cache: 'no-store'}).then((r) => r.ok && r.text(), () => ''), onlyFile(build));
                await putOut(0);
                await putOut(1);
                await putOut(2);
                const held = await context.newPage();
                await held.goto(host.url);
                // The storage nearly full: the next version is cut short in its store, and nothing of it is read.
                const [cdp, {usage}] = await Promise.all([context.newCDPSession(page),
                                                          page.evaluate(() => navigator.storage.estimate())]);
                const origin = host.url.slice(0, -1);
                await cdp.send('Storage.overrideQuotaForOrigin', {origin, quotaSize: usage + 100000});
                await putOut(3, 'v1');
                assert.equal(await only(page, 'v3'), '');
                await cdp.send('Storage.overrideQuotaForOrigin', {origin});
                await putOut(3);
                assert.equal(await only(held, 'v1'), 'v1', 'the version replaced was not kept');
            }, {origins: [host.url], expectedErrors: [/^Failed to load resource: net::ERR_FAILED$/]});
        } finally {
            host.server.close();
            fs.rmSync(root, {recursive: true, force: true});
        }
    },

    async 'sites at /a/, /b/ and /c/ of one origin each keep their own copy, with their host\'s headers, whatever Vary it sends'() {
        const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-sites-'));
        const sites = ['a', 'b', 'c'];
        const now = Date.now() / 1000;
        sites.forEach((name) => markedCopy(name, path.join(root, name), now - 60));
        // The host's own policy, which the page cannot set itself, and a Vary of its own for each
        // site; nothing kept in the browser's HTTP cache, so that offline only the workers' copies
        // are there.
        const policy = "frame-ancestors 'none'";
        const varies = {a: 'Accept', b: 'Accept-Encoding', c: '*'};
        const host = await plainHost({current: root}, (pathname) => (
            {'Content-Security-Policy': policy, 'Cache-Control': 'no-store', 'Vary': varies[pathname.split('/')[1]]}));
        try {
            await withBrowser(site, async ({context}) => {
                const page = context.pages()[0] || await context.newPage();
                const visit = async (name) => {
                    const response = await page.goto(`${host.url}${name}/`);
                    await ready(page);
                    const builds = await page.evaluate(() => [
                        document.querySelector('meta[name="zentrix-build"]').content, globalThis.zentrixBuild]);
                    assert.deepEqual(builds, [name, name], `/${name}/ is a page of ${builds[0]} with the module of ${builds[1]}`);
                    return response;
                };
                for (const name of sites) {
                    await visit(name);
                    await visit(name);
                    // The site's worker is active, so the next visit comes from it. This page
                    // need not be its own: it may have been loading while the worker took over,
                    // and a page still loading then stays with the network.
                    await page.evaluate(() => navigator.serviceWorker.ready);
                }

                host.server.close();
                await context.setOffline(true);
                for (const name of sites) {
                    const response = await visit(name);
                    assert.ok(response.fromServiceWorker(), `/${name}/ did not come from its worker`);
                    await deals(page);
                    // The worker kept each file with the headers it came with.
                    const kept = await page.evaluate(async () => {
                        const [html, wasm] = await Promise.all(
                            ['./', performance.getEntriesByType('resource').map((e) => e.name).find((name) => name.endsWith('.wasm'))]
                                .map((url) => fetch(url)));
                        return [html.headers.get('Content-Security-Policy'), html.headers.get('Content-Type'),
                                wasm.headers.get('Content-Type')];
                    });
                    assert.deepEqual(kept, [policy, 'text/html', 'application/wasm'], `/${name}/`);
                }
            }, {origins: [host.url]});
        } finally {
            host.server.close();
            fs.rmSync(root, {recursive: true, force: true});
        }
    },

    async 'a host serving a replaced WebAssembly or module script, or refusing every script: the page says the game cannot start'() {
        const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-replaced-'));
        fs.cpSync(site, root, {recursive: true});
        const wasm = path.join(root, fs.readdirSync(root).find((name) => name.endsWith('.wasm')));
        const bytes = fs.readFileSync(wasm);
        bytes[bytes.length - 1] ^= 1;
        await WebAssembly.compile(bytes);  // another module, which would run
        fs.writeFileSync(wasm, bytes);
        const other = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-replaced-'));
        fs.cpSync(site, other, {recursive: true});
        const script = fs.readdirSync(other).find((name) => /^zentrix-.*\.js$/.test(name));
        fs.appendFileSync(path.join(other, script), '\nwindow.replaced = true;\n');  // runs, but for the policy
        const hosts = await Promise.all([plainHost({current: root}), plainHost({current: other}),
                                         plainHost({current: site}, {'Content-Security-Policy': "script-src 'none'"})]);
        try {
            await withBrowser(site, async ({context}) => {
                const page = context.pages()[0] || await context.newPage();
                for (const host of hosts) {
                    await page.goto(host.url);
                    await page.getByRole('alert').filter({hasText: 'Zentrix cannot start here.'}).waitFor();
                    assert.equal(await page.getByRole('main').getAttribute('aria-busy'), 'true', host.url);
                }
            }, {origins: hosts.map((host) => host.url),
                expectedErrors: [/integrity/, /Failed to fetch/, /violates the following Content Security Policy/,
                                 /module did not run/]});
        } finally {
            hosts.forEach((host) => host.server.close());
            fs.rmSync(root, {recursive: true, force: true});
            fs.rmSync(other, {recursive: true, force: true});
        }
    },
});
