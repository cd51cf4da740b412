// A whole round by keyboard alone: the menu bar, Tab and the arrows between the free balls, Space
// and Enter on balls, buttons and the message boxes.
'use strict';

const {withBrowser, runScenarios, assert, freeBalls, setOfEleven, label, stopClock, timeLeft, answerMessage,
       chooseMenu, FREE_BALL} = require('./harness');

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

            // Take Score, and both boxes answered from the keyboard. The time left is read as the
            // round ends, with the box open and the countdown standing; the clock is stopped
            // meanwhile, so that the next round is read as it starts.
            await tabTo(page, (name) => name === 'Take Score');
            await page.keyboard.press('Enter');
            await page.getByRole('alertdialog').filter({hasText: 'Ready for Round 2'}).waitFor();
            const left = await timeLeft(page);
            assert.ok(left > 0 && left <= 90);
            await stopClock(page);
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
        }, {clock: true});
    },

    async 'Take Score pressed until the game ends leaves the focus on Next Ball, where Space and Enter press it'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=21');
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            const takeScore = async () => {
                await tabTo(page, (name) => name === 'Take Score');
                await page.keyboard.press('Enter');
            };
            await takeScore();
            await answerMessage(page, 'Ready for Round 2', {close: () => page.keyboard.press('Enter')});
            await answerMessage(page, 'Score 90,000 for BONUS ROUND!!', {close: () => page.keyboard.press('Enter')});

            // Round 2 scores too little for the bonus round: Take Score ends the game.
            await takeScore();
            await answerMessage(page, 'Game Over', {close: () => page.keyboard.press('Enter')});
            assert.ok(await page.getByRole('button', {name: 'Take Score'}).isDisabled());
            assert.equal(await focusedName(page), 'Next Ball');

            // Space, then Enter, press it: each brings a next ball, or moves it into the emptied heap.
            const board = () => page.getByRole('button', {name: /^(Ball|Next ball|No next ball|Empty slot)/})
                .evaluateAll((balls) => balls.map((b) => b.getAttribute('aria-label')).join('; '));
            for (const key of ['Space', 'Enter']) {
                const before = await board();
                await page.keyboard.press(key);
                assert.notEqual(await board(), before, `${key} pressed nothing`);
                assert.equal(await focusedName(page), 'Next Ball');
            }
        });
    },

    async 'nothing behind an open message box takes a click, a key, a menu or the focus'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=21');
            await page.keyboard.press('F10');
            await page.keyboard.press('ArrowDown');
            await page.keyboard.press('Enter');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            const ball = (await freeBalls(page))[0];
            const ballBox = await ball.locator.boundingBox();
            const fileBox = await page.getByRole('menuitem', {name: 'File'}).boundingBox();
            await page.getByRole('button', {name: 'Take Score'}).click();
            const box = page.getByRole('alertdialog').filter({hasText: 'Ready for Round 2'});
            await box.waitFor();
            const boardWithBox = await page.locator('#board').innerHTML();
            const okHasFocus = () => box.getByRole('button', {name: 'OK'}).evaluate((b) => b === document.activeElement);
            const nothingBehind = async (what) => {
                assert.equal(await page.getByRole('menu').count(), 0, `${what}: a menu opened`);
                assert.ok(await okHasFocus(), `${what}: the focus left the box for ${await focusedName(page)}`);
                assert.equal(await box.count(), 1, `${what}: the box closed`);
                assert.equal(await page.locator('[aria-label^="Selection sum"]').getAttribute('aria-label'),
                             'Selection sum 0', what);
            };

            // A click beside the box, then the menu keys: nothing moves.
            await page.mouse.click(5, Math.max(60, ballBox.y));
            await nothingBehind('a click beside the box');
            await page.keyboard.press('F10');
            await nothingBehind('F10');
            await page.keyboard.press('Alt');
            await nothingBehind('Alt');
            for (const key of ['ArrowDown', 'ArrowRight', 'ArrowLeft', 'ArrowUp', 'Tab', 'Shift+Tab']) {
                await page.keyboard.press(key);
                await nothingBehind(key);
            }
            // Clicks on the menu bar and on a ball reach nothing.
            await page.mouse.click(fileBox.x + fileBox.width / 2, fileBox.y + fileBox.height / 2);
            await nothingBehind('a click on File');
            await page.mouse.click(ballBox.x + ballBox.width / 2, ballBox.y + ballBox.height / 2);
            await nothingBehind('a click on a ball');
            assert.equal(await page.locator('#board').innerHTML(), boardWithBox);
            await page.mouse.click(5, Math.max(60, ballBox.y));
            await page.keyboard.press('F10');

            // Enter closes it, and the next box comes with the focus on its OK.
            await page.keyboard.press('Enter');
            await box.waitFor({state: 'detached'});
            const next = page.getByRole('alertdialog').filter({hasText: 'Score 90,000 for BONUS ROUND!!'});
            await next.waitFor();
            assert.ok(await next.getByRole('button', {name: 'OK'}).evaluate((b) => b === document.activeElement));
            await page.keyboard.press('Enter');
            await next.waitFor({state: 'detached'});
            assert.equal(await page.getByRole('menu').count(), 0);
            assert.notEqual(await focusedName(page), 'File');
        });
    },
});
