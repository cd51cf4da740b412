// What reaches the page from outside cannot take it over: script or style put into the page is
// refused, and string evaluation with it, on the first visit and on one the service worker
// serves; the address's options are taken only in their ranges.
'use strict';

const {withBrowser, runScenarios, assert, ready, deals, stopClock, timeLeft, chooseMenu, FREE_BALL} = require('./harness');

const site = process.argv[2];

// The console's word for each refusal the page's policy makes.
const REFUSED = [/violates the following Content Security Policy directive/];

// Puts into the page what an attacker's markup would bring: an inline script, a data: script, an
// event handler attribute, a style attribute and a style element; and, from a task of the page
// itself (the test's own evaluation is exempt from the policy), eval and new Function. Returns
// what of it ran and the violations the page saw, once it has seen those of `expected` (or given
// up waiting for them).
async function intrude(page, expected) {
    await page.evaluate(async () => {
        const violations = [];
        window.violations = violations;
        document.addEventListener('securitypolicyviolation',
                                  (event) => violations.push(`${event.effectiveDirective} ${event.blockedURI}`));
        const ran = [];
        window.intruded = ran;
        const inline = document.createElement('script');
        inline.textContent = "window.intruded.push('inline script');";
        document.body.append(inline);
        const data = document.createElement('script');
        data.src = "data:text/javascript,window.intruded.push('data script');";
        document.body.append(data);
        const holder = document.createElement('div');
        holder.innerHTML = `<button type="button" onclick="window.intruded.push('event handler')">x</button>
            <p id="intruder" style="color: rgb(255, 0, 0)">x</p>
            <style>#intruder { background-color: rgb(0, 0, 255); }</style>`;
        document.body.append(holder);
        holder.querySelector('button').dispatchEvent(new MouseEvent('click'));
        const strings = new Promise((resolve) => setTimeout(() => {
            try {
                eval("window.intruded.push('eval')");
            } catch (error) {
                ran.push(`eval: ${error.name}`);
            }
            try {
                new Function("window.intruded.push('new Function')")();
            } catch (error) {
                ran.push(`new Function: ${error.name}`);
            }
            resolve();
        }, 0));
        await strings;
    });
    // The data: script is refused (or run) once it has loaded.
    await page.waitForFunction((all) => all.every((one) => window.violations.includes(one)), expected).catch(() => {});
    return page.evaluate(() => {
        const look = getComputedStyle(document.getElementById('intruder'));
        const styled = [look.color, look.backgroundColor];
        document.getElementById('intruder').parentElement.remove();
        return {ran: window.intruded, styled, violations: [...new Set(window.violations)].sort()};
    });
}

async function checkRefused(page, visit) {
    const expected = ['script-src eval', 'script-src-attr inline', 'script-src-elem data', 'script-src-elem inline',
                      'style-src-attr inline', 'style-src-elem inline'];
    const {ran, styled, violations} = await intrude(page, expected);
    assert.deepEqual(ran, ['eval: EvalError', 'new Function: EvalError'], `${visit}: what ran`);
    assert.ok(!styled.includes('rgb(255, 0, 0)') && !styled.includes('rgb(0, 0, 255)'),
              `${visit}: the page took the intruder's style (${styled})`);
    for (const one of expected) {
        assert.ok(violations.includes(one), `${visit}: no ${one} violation in ${violations}`);
    }
}

runScenarios({
    async 'only the page\'s own script and style run, on the first visit and from the worker'() {
        await withBrowser(site, async ({context, site: served, open}) => {
            const page = await open('?seed=3');
            // Served by the network: the worker may take the page over once it has loaded, but
            // no worker answered this visit.
            assert.equal(await page.evaluate(() => performance.getEntriesByType('navigation')[0].workerStart), 0);
            await checkRefused(page, 'first visit');
            await deals(page);

            // The next visit comes from the worker's copy, with the network off.
            await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
            served.server.close();
            await context.setOffline(true);
            const response = await page.reload();
            assert.ok(response.fromServiceWorker(), 'the page did not come from the worker');
            await ready(page);
            await checkRefused(page, 'visit from the worker');
            await deals(page);
        }, {expectedErrors: REFUSED});
    },

    async 'address options out of range are ignored: the page deals and its clock runs as usual'() {
        await withBrowser(site, async ({open}) => {
            for (const query of ['?speed=Infinity', '?speed=1e308', '?speed=-5', '?speed=1000',
                                 '?seed=1e400&speed=NaN', '?seed=-1&speed=0x10']) {
                const page = await open(query);
                // The page's time moves on only as the test says, until the next page opens.
                await stopClock(page);
                await chooseMenu(page, 'File', 'New');
                await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
                assert.equal(await page.getByRole('button', {name: /^Ball \d+, (free|not free)$/}).count(), 22, query);
                await page.clock.runFor(2500);
                // One second a second: neither stopped nor run faster.
                assert.equal(await timeLeft(page), 88, query);
                assert.equal(await page.getByRole('alertdialog').count(), 0, query);
                await page.clock.resume();
            }

            // A seed past 2^32 - 1 is not wrapped into range: it deals as no seed does, not as seed 0.
            const heap = async (query) => {
                const page = await open(query);
                await chooseMenu(page, 'File', 'New');
                await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
                return page.getByRole('button', {name: /^(Next ball|Ball) \d+/})
                    .evaluateAll((balls) => balls.map((ball) => ball.getAttribute('aria-label')).join('; '));
            };
            assert.equal(await heap('?seed=0'), await heap('?seed=0'));
            assert.notEqual(await heap('?seed=4294967296'), await heap('?seed=0'));

            // In range, both are taken: the highest seed deals, and at speed 100 the round's 90
            // seconds are over in about one.
            const page = await open('?seed=4294967295&speed=100');
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('alertdialog').waitFor();
            assert.equal(await timeLeft(page), 0);
        }, {clock: true});
    },
});
