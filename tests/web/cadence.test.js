// The clock at its real pace: a countdown tick every second, a refresh within a tenth of a
// second, and no time given away when the page could not run for a while (a hidden or busy tab).
'use strict';

const {withBrowser, runScenarios, assert, findSet, label, timeLeft, chooseMenu, FREE_BALL} =
    require('./harness');

const site = process.argv[2];

runScenarios({
    async 'one countdown tick a second, the refresh ten times a second'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=4');
            // Every change of the countdown bar, timed in the page.
            await page.getByRole('progressbar', {name: 'Time left'}).evaluate((bar) => {
                window.ticks = [];
                new MutationObserver(() => window.ticks.push(
                    [performance.now(), Number(bar.getAttribute('aria-valuenow'))]))
                    .observe(bar, {attributes: true, attributeFilter: ['aria-valuenow']});
            });
            await chooseMenu(page, 'File', 'New');
            const dealt = await page.evaluate(() => performance.now());
            await page.waitForTimeout(3500);
            const ticks = await page.evaluate(() => window.ticks);
            assert.deepEqual(ticks.map(([, v]) => v), [89, 88, 87], JSON.stringify(ticks));
            assert.ok(ticks[0][0] - dealt < 1100, `the first tick came ${ticks[0][0] - dealt} ms late`);
            for (let i = 1; i < ticks.length; ++i) {
                const gap = ticks[i][0] - ticks[i - 1][0];
                assert.ok(Math.abs(gap - 1000) < 100, `${gap} ms between ticks`);
            }
            assert.equal(await label(page, 'Seconds left'), 'Seconds left 87');

            // A set removed: its boxes leave the board, and the round's points show, at the
            // next refresh, a tenth of a second at most.
            const set = await findSet(page);
            for (const ball of set.slice(0, -1)) {
                await ball.locator.click();
            }
            const shownBefore = await page.getByRole('button', {name: /^(Ball|Next ball) \d/}).count();
            const waited = await set[set.length - 1].locator.evaluate((last) => new Promise((resolve) => {
                const clicked = performance.now();
                last.click();
                const points = document.querySelector('[aria-label^="Round points"]');
                const poll = () => {
                    if (points.getAttribute('aria-label') !== 'Round points 0') {
                        resolve(performance.now() - clicked);
                    } else {
                        setTimeout(poll, 2);
                    }
                };
                poll();
            }));
            assert.ok(waited <= 130, `the round's points showed after ${waited} ms`);
            await page.waitForTimeout(130);
            const tookNext = set.some((b) => b.name.startsWith('Next ball'));
            const shownAfter = await page.getByRole('button', {name: /^(Ball|Next ball) \d/}).count();
            assert.equal(shownAfter, shownBefore - set.length + (tookNext ? 1 : 0));
        });
    },

    async 'a page that could not run gives no extra time'() {
        await withBrowser(site, async ({context, open}) => {
            const page = await open('?seed=4');
            await chooseMenu(page, 'File', 'New');
            await page.waitForTimeout(1200);
            // Frozen for three and a half seconds, as a browser freezes a tab in the background:
            // once it runs again the countdown pays the three or four ticks it owes at once.
            const cdp = await context.newCDPSession(page);
            const before = await timeLeft(page);
            await cdp.send('Page.setWebLifecycleState', {state: 'frozen'});
            await new Promise((resolve) => setTimeout(resolve, 3500));
            await cdp.send('Page.setWebLifecycleState', {state: 'active'});
            await page.waitForTimeout(150);
            const thawed = await timeLeft(page);
            assert.ok(before - thawed >= 3 && before - thawed <= 5, `${before} -> ${thawed}`);
            assert.equal(await label(page, 'Seconds left'), `Seconds left ${thawed}`);

            // The same when the page's own thread is held up.
            await page.evaluate(() => {
                const until = performance.now() + 2500;
                while (performance.now() < until) {
                    // busy
                }
            });
            await page.waitForTimeout(150);
            const after = await timeLeft(page);
            assert.ok(thawed - after >= 2 && thawed - after <= 4, `${thawed} -> ${after}`);
        });
    },
});
