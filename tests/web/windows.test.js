// About and Rules: opened from the Help menu by mouse and keyboard, Rules scrolled, both closed,
// and the countdown running on all the while.
'use strict';

const {withBrowser, runScenarios, assert, stopClock, timeLeft, chooseMenu, FREE_BALL} = require('./harness');

// Where a help window's title bar and close box are, against the menu bar and the viewport, and
// whether the close box is what a click at its middle would reach.
async function placement(page, name) {
    return page.getByRole('dialog', {name}).evaluate((w) => {
        const bar = w.querySelector('.title-bar').getBoundingClientRect();
        const closeBox = w.querySelector('[aria-label="Close"]');
        const box = closeBox.getBoundingClientRect();
        const menuBar = document.querySelector('header').getBoundingClientRect();
        const hit = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
        return {barTop: bar.top, barLeft: bar.left, barRight: bar.right, menuBottom: menuBar.bottom,
                reachable: hit === closeBox || closeBox.contains(hit), width: w.getBoundingClientRect().width,
                height: w.getBoundingClientRect().height};
    });
}

function assertReachable(where, at) {
    assert.ok(at.reachable, `${where}: the close box is covered (${JSON.stringify(at)})`);
    assert.ok(at.barTop >= at.menuBottom - 0.5, `${where}: the title bar is under the menu bar (${JSON.stringify(at)})`);
    assert.ok(at.barLeft >= -0.5, `${where}: the title bar starts off the page (${JSON.stringify(at)})`);
}

// Drags a window by its title bar to (x, y), ending with `end` (a release or a cancelled pointer).
async function dragTitle(page, name, x, y, end = 'up') {
    const heading = page.getByRole('dialog', {name}).getByRole('heading');
    const from = await heading.boundingBox();
    await page.mouse.move(from.x + 10, from.y + from.height / 2);
    await page.mouse.down();
    await page.mouse.move(x, y, {steps: 5});
    if (end === 'up') {
        await page.mouse.up();
    } else {
        await heading.evaluate((h) => h.parentElement.dispatchEvent(
            new PointerEvent('pointercancel', {bubbles: true, pointerId: 1})));
        await page.mouse.up();
    }
}


const site = process.argv[2];

runScenarios({
    async 'About and Rules over a running round'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=3');
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            // The round's time moves on only as the test says.
            await stopClock(page);
            const start = await page.evaluate(() => performance.now());

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
            assert.match(aboutClient[2], /title-top(@2x)?\.webp/);

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
            await page.clock.runFor(2300);
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
            const elapsed = (await page.evaluate(() => performance.now()) - start) / 1000;
            const left = await timeLeft(page);
            assert.ok(left <= 90 - Math.floor(elapsed), `time left ${left} after ${elapsed} s`);
        }, {clock: true});
    },

    async 'help windows within reach at every size: closed by click and tap, also after a drag to the top'() {
        for (const viewport of [{width: 844, height: 390}, {width: 640, height: 480}, {width: 1280, height: 800},
                                {width: 320, height: 320}]) {
            await withBrowser(site, async ({open}) => {
                const page = await open('?seed=3');
                const where = `${viewport.width}x${viewport.height}`;
                for (const [item, name] of [['Rules', 'Rules'], ['About', 'ABout']]) {
                    const w = page.getByRole('dialog', {name});
                    // Opened, and closed by a click on the close box.
                    await chooseMenu(page, 'Help', item);
                    assertReachable(`${where} ${item} opened`, await placement(page, name));
                    await w.getByRole('button', {name: 'Close'}).click();
                    await w.waitFor({state: 'detached'});
                    // Opened again, and closed by a tap.
                    await chooseMenu(page, 'Help', item);
                    await w.getByRole('button', {name: 'Close'}).tap();
                    await w.waitFor({state: 'detached'});
                    // Dragged up past the top and to the left, then to the right, let go and cancelled.
                    await chooseMenu(page, 'Help', item);
                    await dragTitle(page, name, 5, 0);
                    assertReachable(`${where} ${item} dragged to the top`, await placement(page, name));
                    await dragTitle(page, name, viewport.width - 2, 1, 'cancel');
                    assertReachable(`${where} ${item} dragged to the right, cancelled`, await placement(page, name));
                    await w.getByRole('button', {name: 'Close'}).click();
                    await w.waitFor({state: 'detached'});
                }
            }, {viewport, hasTouch: true});
        }
    },

    async 'help windows and message boxes scale with the board, the title picture sharp'() {
        for (const [viewport, deviceScaleFactor] of [[{width: 1920, height: 1080}, 1], [{width: 640, height: 480}, 2],
                                                     [{width: 640, height: 480}, 1]]) {
            await withBrowser(site, async ({open}) => {
                const page = await open('?seed=11&speed=30');
                const boardScale = await page.locator('#board').evaluate((b) =>
                    b.getBoundingClientRect().width / b.offsetWidth);
                await chooseMenu(page, 'Help', 'About');
                const about = page.getByRole('dialog', {name: 'ABout'});
                const shown = await about.evaluate((w) => {
                    const client = w.lastElementChild;
                    return {scale: client.getBoundingClientRect().width / client.offsetWidth,
                            picture: getComputedStyle(client).backgroundImage};
                });
                const where = `${viewport.width}x${viewport.height} at ${deviceScaleFactor}x`;
                assert.ok(Math.abs(shown.scale - boardScale) < 0.02,
                          `${where}: About at x${shown.scale}, the board at x${boardScale}`);
                const sharp = deviceScaleFactor * shown.scale > 1;
                assert.match(shown.picture, sharp ? /title-top@2x\.webp/ : /title-top\.webp/, where);
                assertReachable(where, await placement(page, 'ABout'));
                await about.getByRole('button', {name: 'Close'}).click();

                // A message box: the round runs out.
                await chooseMenu(page, 'File', 'New');
                const box = page.getByRole('alertdialog');
                await box.waitFor({timeout: 20000});
                const boxScale = await box.evaluate((b) => b.getBoundingClientRect().width / b.offsetWidth);
                assert.ok(Math.abs(boxScale - boardScale) < 0.02,
                          `${where}: the box at x${boxScale}, the board at x${boardScale}`);
                await box.getByRole('button', {name: 'OK'}).click();
            }, {viewport, deviceScaleFactor});
        }
    },
});
