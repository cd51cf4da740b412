// The countdown's pace: a tick every second, a refresh within a tenth of a second, and no time
// given away when the page could not run for a while (a hidden or busy tab). The page runs on the
// test's clock, which moves on only as the test says, so that a busy machine changes nothing.
'use strict';

const {withBrowser, runScenarios, assert, findSet, label, stopClock, timeLeft, chooseMenu, FREE_BALL} =
    require('./harness');

const site = process.argv[2];

runScenarios({
    async 'one countdown tick a second, the refresh ten times a second'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=4');
            await stopClock(page);
            // Every change of the countdown bar, timed in the page.
            await page.getByRole('progressbar', {name: 'Time left'}).evaluate((bar) => {
                window.ticks = [];
                new MutationObserver(() => window.ticks.push(
                    [performance.now(), Number(bar.getAttribute('aria-valuenow'))]))
                    .observe(bar, {attributes: true, attributeFilter: ['aria-valuenow']});
            });
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            const dealt = await page.evaluate(() => performance.now());
            await page.clock.runFor(3500);
            const ticks = await page.evaluate(() => window.ticks);
            assert.deepEqual(ticks.map(([, v]) => v), [89, 88, 87], JSON.stringify(ticks));
            assert.ok(ticks[0][0] - dealt <= 1000, `the first tick came ${ticks[0][0] - dealt} ms after the deal`);
            for (let i = 1; i < ticks.length; ++i) {
                const gap = ticks[i][0] - ticks[i - 1][0];
                assert.equal(gap, 1000, `${gap} ms between ticks`);
            }
            assert.equal(await label(page, 'Seconds left'), 'Seconds left 87');

            // A set removed: its boxes leave the board, and the round's points show, at the
            // next refresh, a tenth of a second at most.
            const set = await findSet(page);
            for (const ball of set.slice(0, -1)) {
                await ball.locator.click();
            }
            const shownBefore = await page.getByRole('button', {name: /^(Ball|Next ball) \d/}).count();
            await set[set.length - 1].locator.click();
            await page.clock.runFor(100);
            assert.notEqual(await label(page, 'Round points'), 'Round points 0');
            const tookNext = set.some((b) => b.name.startsWith('Next ball'));
            const shownAfter = await page.getByRole('button', {name: /^(Ball|Next ball) \d/}).count();
            assert.equal(shownAfter, shownBefore - set.length + (tookNext ? 1 : 0));
        }, {clock: true});
    },

    async 'a page that could not run gives no extra time'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=4');
            await stopClock(page);
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            await page.clock.runFor(1200);
            assert.equal(await timeLeft(page), 89);
            // Three and a half seconds in which no timer of the page ran, as when a browser
            // freezes a tab in the background or its thread is held up: once it runs again, each
            // timer once, the countdown pays the three ticks it owes at once.
            await page.clock.fastForward(3500);
            assert.equal(await timeLeft(page), 86);
            assert.equal(await label(page, 'Seconds left'), 'Seconds left 86');
            await page.clock.fastForward(2500);
            assert.equal(await timeLeft(page), 83);
            // And on one a second.
            await page.clock.runFor(1000);
            assert.equal(await timeLeft(page), 82);
        }, {clock: true});
    },
});
