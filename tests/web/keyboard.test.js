// A whole round by keyboard alone: the menu bar, Tab and the arrows between the free balls, Space
// and Enter on balls, buttons and the message boxes.
'use strict';

const {withBrowser, runScenarios, assert, freeBalls, setOfEleven, label, timeLeft, answerMessage,
       FREE_BALL} = require('./harness');

const site = process.argv[2];

async function focusedName(page) {
    return page.evaluate(() => {
        const e = document.activeElement;
        return e ? e.getAttribute('aria-label') || e.textContent.trim() : null;
    });
}

// Tabs forward until the focused control's name passes `wanted`.
async function tabTo(page, wanted, limit = 80) {
    for (let i = 0; i < limit; ++i) {
        const name = await focusedName(page);
        if (wanted(name)) {
            return name;
        }
        await page.keyboard.press('Tab');
    }
    throw new Error(`Tab never reached the control (last: ${await focusedName(page)})`);
}

runScenarios({
    async 'a whole round by keyboard'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=21');

            // File > New from the keyboard: F10 opens the menu bar, the arrows and Enter choose.
            await page.keyboard.press('F10');
            assert.equal(await focusedName(page), 'File');
            await page.keyboard.press('ArrowDown');
            assert.equal(await focusedName(page), 'New');
            await page.keyboard.press('Enter');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            assert.equal(await page.getByRole('menu').count(), 0);

            // Tab reaches the free balls; the arrows move between free balls only.
            await tabTo(page, (name) => FREE_BALL.test(name));
            for (const key of ['ArrowRight', 'ArrowLeft', 'ArrowUp', 'ArrowDown', 'ArrowRight']) {
                await page.keyboard.press(key);
                assert.match(await focusedName(page), FREE_BALL);
            }
            assert.equal(await label(page, 'Selection sum'), 'Selection sum 0');

            // Two sets of 11, each ball reached with Tab and taken with Space or Enter; Next
            // Ball pressed from the keyboard when no set is free.
            let removed = 0;
            for (let sets = 0; sets < 2;) {
                const set = setOfEleven(await freeBalls(page));
                if (!set) {
                    await tabTo(page, (name) => name === 'Next Ball');
                    await page.keyboard.press('Space');
                    continue;
                }
                for (const [i, ball] of set.entries()) {
                    await tabTo(page, (name) => name === ball.name);
                    await page.keyboard.press(i % 2 === 0 ? 'Space' : 'Enter');
                }
                removed += set.length;
                sets += 1;
                assert.equal(await label(page, 'Selection sum'), 'Selection sum 0');
                assert.equal(await label(page, 'Elevens'), `Elevens ${Math.floor(removed / 2)}`);
                // The focus stays on the board: a free ball, or Next Ball when none is left.
                const focus = await focusedName(page);
                assert.ok(FREE_BALL.test(focus) || focus === 'Next Ball', focus);
            }

            // Take Score, and both boxes answered from the keyboard.
            const left = await timeLeft(page);
            assert.ok(left > 0 && left <= 90);
            await tabTo(page, (name) => name === 'Take Score');
            await page.keyboard.press('Enter');
            await answerMessage(page, 'Ready for Round 2', {close: () => page.keyboard.press('Enter')});
            await answerMessage(page, 'Score 90,000 for BONUS ROUND!!',
                                {close: () => page.keyboard.press('Space')});
            const total = Number((await label(page, 'Total score')).split(' ').pop());
            assert.ok(total >= 250 * (left - 2) + 1000 * Math.floor(removed / 2), `total ${total}`);
            assert.equal(await timeLeft(page), 90);
            assert.equal(await label(page, 'Elevens'), 'Elevens 0');

            // F11: the browser's full-screen mode, and back; no message about the display.
            await page.keyboard.press('F11');
            await page.waitForFunction(() => document.fullscreenElement !== null);
            await page.keyboard.press('F11');
            await page.waitForFunction(() => document.fullscreenElement === null);
            assert.equal(await page.getByRole('alertdialog').count(), 0);
        });
    },
});
