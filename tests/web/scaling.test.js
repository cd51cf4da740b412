// The board scaled as one piece to four viewport sizes, centred on the felt, with clicks landing
// on the balls' circles and not on their corners; the full-screen control where the browser lets
// the page fill the screen, and none where it does not.
'use strict';

const {withBrowser, runScenarios, assert, freeBalls, label, chooseMenu, FREE_BALL} = require('./harness');

const site = process.argv[2];

async function checkAt(viewport, {touch = false, fullScreen = true} = {}) {
    await withBrowser(site, async ({context, open}) => {
        if (!fullScreen) {
            await context.addInitScript(() => {
                Object.defineProperty(Document.prototype, 'fullscreenEnabled', {get: () => false});
                addEventListener('keydown', (event) => {
                    window.lastKeyTaken = event.defaultPrevented;
                });
            });
        }
        const page = await open('?seed=9');
        await chooseMenu(page, 'File', 'New');
        await page.getByRole('button', {name: FREE_BALL}).first().waitFor();

        const fit = await page.getByRole('main').evaluate((felt) => {
            const board = felt.firstElementChild.getBoundingClientRect();
            const area = felt.getBoundingClientRect();
            return {
                gaps: [board.left - area.left, area.right - board.right,
                       board.top - area.top, area.bottom - board.bottom],
                transform: getComputedStyle(felt.firstElementChild).transform,
            };
        });
        const [left, right, top, bottom] = fit.gaps;
        // Inside the felt, centred both ways, and filling it one way.
        assert.ok(Math.min(...fit.gaps) > -0.5, `gaps ${fit.gaps}`);
        assert.ok(Math.abs(left - right) < 1 && Math.abs(top - bottom) < 1, `gaps ${fit.gaps}`);
        assert.ok(Math.min(left + right, top + bottom) < 1, `gaps ${fit.gaps}`);
        assert.match(fit.transform, /^matrix\(/);

        // Every ball box inside the viewport, round (as wide as high), none overlapping the
        // menu bar.
        const bar = await page.getByRole('menubar').boundingBox();
        const balls = page.getByRole('button', {name: /^(Ball|Next ball) /});
        for (const box of await balls.evaluateAll((es) => es.map((e) => e.getBoundingClientRect().toJSON()))) {
            assert.ok(box.left >= -0.5 && box.right <= viewport.width + 0.5, JSON.stringify(box));
            assert.ok(box.top >= bar.y + bar.height - 0.5 && box.bottom <= viewport.height + 0.5);
            assert.ok(Math.abs(box.width - box.height) < 0.5);
        }

        // A click inside the circle, near its edge, selects; on the corner it does nothing.
        const ball = (await freeBalls(page)).find((b) => b.name.startsWith('Next ball'));
        const box = await ball.locator.boundingBox();
        const r = box.width / 2;
        const cx = box.x + r;
        const cy = box.y + r;
        await page.mouse.click(cx - 0.9 * r * Math.SQRT1_2, cy - 0.9 * r * Math.SQRT1_2);
        assert.equal(await ball.locator.getAttribute('aria-label'), `${ball.name}, selected`);
        await page.mouse.click(cx + 0.9 * r * Math.SQRT1_2, cy + 0.9 * r * Math.SQRT1_2);
        assert.equal(await ball.locator.getAttribute('aria-label'), ball.name);
        for (const [x, y] of [[0.1, 0.1], [1.9, 0.1], [0.1, 1.9], [1.9, 1.9]]) {
            await page.mouse.click(box.x + x * r, box.y + y * r);
            assert.equal(await ball.locator.getAttribute('aria-label'), ball.name);
        }
        if (touch) {
            // A tap is a click.
            await page.touchscreen.tap(cx, cy);
        } else {
            await page.mouse.click(cx, cy);
        }
        assert.equal(await label(page, 'Selection sum'), `Selection sum ${ball.value}`);

        if (fullScreen) {
            // The full-screen control asks the browser for its full-screen mode, and back.
            await page.getByRole('button', {name: 'Full screen'}).click();
            await page.waitForFunction(() => document.fullscreenElement === document.documentElement);
            await page.getByRole('button', {name: 'Full screen'}).click();
            await page.waitForFunction(() => document.fullscreenElement === null);
        } else {
            // No control that would do nothing, and F11 left to the browser.
            assert.equal(await page.getByRole('button', {name: 'Full screen'}).count(), 0);
            await page.keyboard.press('F11');
            assert.equal(await page.evaluate(() => window.lastKeyTaken), false);
            assert.equal(await page.evaluate(() => document.fullscreenElement), null);
        }
    }, {viewport, hasTouch: touch});
}

runScenarios({
    async 'a small window, 640 x 480'() {
        await checkAt({width: 640, height: 480});
    },
    async 'a tall phone, 390 x 844, played by touch'() {
        await checkAt({width: 390, height: 844}, {touch: true});
    },
    async 'a large screen, 1920 x 1080'() {
        await checkAt({width: 1920, height: 1080});
    },
    async 'an iPhone held sideways, 844 x 390, played by touch, which keeps the screen to itself'() {
        await checkAt({width: 844, height: 390}, {touch: true, fullScreen: false});
    },
});
