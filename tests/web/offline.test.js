// After the first visit the page loads and plays with the network off, and offers what a browser
// needs to install it as an app.
'use strict';

const {withBrowser, runScenarios, assert, ready, freeBalls, chooseMenu, FREE_BALL} = require('./harness');

const site = process.argv[2];

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
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            const ball = (await freeBalls(page))[0];
            await ball.locator.click();
            assert.equal(await ball.locator.getAttribute('aria-label'), `${ball.name}, selected`);
            // The balls' pictures came from the cache as well.
            const pictures = await page.getByRole('button', {name: /^Ball \d/}).first()
                .evaluate((e) => getComputedStyle(e).backgroundImage);
            assert.match(pictures, /pictures\/\d+@2x\.png/);
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
});
