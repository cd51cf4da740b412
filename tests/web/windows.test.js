// About and Rules: opened from the Help menu by mouse and keyboard, Rules scrolled, both closed,
// and the countdown running on all the while.
'use strict';

const {withBrowser, runScenarios, assert, timeLeft, chooseMenu, FREE_BALL} = require('./harness');

const site = process.argv[2];

runScenarios({
    async 'About and Rules over a running round'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=3');
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            const start = Date.now();

            // About: its caption, the title picture and an Ok button that has the focus.
            await chooseMenu(page, 'Help', 'About');
            const about = page.getByRole('dialog', {name: 'ABout'});
            await about.waitFor();
            const ok = about.getByRole('button', {name: 'Ok'});
            assert.ok(await ok.evaluate((e) => e === document.activeElement));
            const aboutClient = await about.evaluate((w) => {
                const client = w.lastElementChild;
                return [client.clientWidth, client.clientHeight, getComputedStyle(client).backgroundImage];
            });
            assert.deepEqual(aboutClient.slice(0, 2), [596, 299]);
            assert.match(aboutClient[2], /title\.jpg/);

            // Rules by keyboard: F10, across to Help, down to Rules.
            await page.keyboard.press('F10');
            await page.keyboard.press('ArrowRight');
            await page.keyboard.press('ArrowDown');
            await page.keyboard.press('Enter');
            const rules = page.getByRole('dialog', {name: 'Rules'});
            await rules.waitFor();
            const text = rules.getByRole('textbox', {name: 'Rules'});
            assert.ok(await text.evaluate((e) => e === document.activeElement && e.readOnly));
            const value = await text.inputValue();
            assert.ok(value.startsWith('Zentrix     ver 1.0\n\n\nRules:\n'));
            assert.ok(value.includes('       Add up any number of balls that equalls 11.\n'));
            assert.ok(value.includes('       10,000 bonus points fo completely clearing all balls\n'));

            // The text is longer than its box: it scrolls to its last line.
            const scroll = await text.evaluate((e) => {
                e.scrollTop = e.scrollHeight;
                return [e.scrollTop, e.scrollHeight, e.clientHeight];
            });
            assert.ok(scroll[1] > scroll[2] && scroll[0] > 0, `scroll ${scroll}`);
            assert.equal(scroll[0] + scroll[2], scroll[1]);

            // With both windows open the countdown goes on.
            const whileOpen = await timeLeft(page);
            await page.waitForTimeout(2300);
            assert.ok(await timeLeft(page) <= whileOpen - 2, 'the countdown stood still');

            // Help > Rules again brings the same window to the front, still scrolled.
            await chooseMenu(page, 'Help', 'Rules');
            assert.equal(await page.getByRole('dialog', {name: 'Rules'}).count(), 1);
            const onTop = await page.evaluate(() => {
                const windows = [...document.querySelectorAll('[role="dialog"]')];
                const z = (w) => Number(getComputedStyle(w).zIndex);
                return windows.sort((a, b) => z(b) - z(a))[0].getAttribute('aria-labelledby');
            });
            assert.equal(await page.locator(`[id="${onTop}"]`).textContent(), 'Rules');

            // Closed with its close box, opened again from the top.
            await rules.getByRole('button', {name: 'Close'}).click();
            await rules.waitFor({state: 'detached'});
            await chooseMenu(page, 'Help', 'Rules');
            await rules.waitFor();
            assert.equal(await rules.getByRole('textbox', {name: 'Rules'}).evaluate((e) => e.scrollTop), 0);
            await rules.getByRole('button', {name: 'Close'}).click();

            // Ok closes About, from the keyboard.
            await ok.focus();
            await page.keyboard.press('Enter');
            await about.waitFor({state: 'detached'});

            // The countdown never stopped.
            const elapsed = (Date.now() - start) / 1000;
            const left = await timeLeft(page);
            assert.ok(left <= 90 - Math.floor(elapsed) + 1, `time left ${left} after ${elapsed} s`);
        });
    },
});
