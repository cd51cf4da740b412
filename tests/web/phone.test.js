// The page on a phone, held upright and sideways, played by touch: every ball and button large
// enough for a finger and every text for an eye, measured as drawn; the game filling the screen;
// a round played by taps; the phone turned mid-round; and, with a mouse, the form as designed.
'use strict';

const {withBrowser, runScenarios, assert, freeBalls, findSet, label, stopClock, timeLeft, answerMessage,
       FREE_BALL} = require('./harness');

const site = process.argv[2];

const PHONES = [
    {width: 390, height: 844, finger: 44},
    {width: 360, height: 640, finger: 40},
    {width: 844, height: 390, finger: 44},
    {width: 640, height: 360, finger: 40},
];
const touch = (viewport) => ({viewport, hasTouch: true, deviceScaleFactor: 3});

// A tap on the middle of what `locator` finds, as a finger makes it.
async function tap(page, locator) {
    const box = await locator.boundingBox();
    assert.ok(box, 'nothing to tap');
    await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
}

async function tapMenu(page, menu, item) {
    await tap(page, page.getByRole('menuitem', {name: menu, exact: true}));
    await tap(page, page.getByRole('menuitem', {name: item, exact: true}));
}

// The board's controls as drawn: every button's box, every text's font size times the scale it
// is drawn at (the element's drawn width over its own), and the felt beneath the menu bar.
function measureBoard() {
    const felt = document.querySelector('main').getBoundingClientRect();
    const drawnScale = (element) => element.getBoundingClientRect().width / element.offsetWidth;
    const controls = [...document.querySelectorAll('main button, main [role="status"], main [role="progressbar"], main img')]
        .filter((element) => element.getClientRects().length > 0);
    const union = controls.map((element) => element.getBoundingClientRect()).reduce((a, r) => ({
        left: Math.min(a.left, r.left), top: Math.min(a.top, r.top),
        right: Math.max(a.right, r.right), bottom: Math.max(a.bottom, r.bottom),
    }), {left: Infinity, top: Infinity, right: -Infinity, bottom: -Infinity});
    const buttons = [...document.querySelectorAll('main button')]
        .filter((element) => element.getClientRects().length > 0)
        .map((element) => {
            const r = element.getBoundingClientRect();
            return {name: element.getAttribute('aria-label'), width: r.width, height: r.height};
        });
    const texts = [...document.querySelectorAll('main [role="status"], main button span')]
        .filter((element) => element.textContent.trim() !== '' && element.getClientRects().length > 0)
        .map((element) => ({
            text: element.textContent,
            size: parseFloat(getComputedStyle(element).fontSize) * drawnScale(element.closest('.control')),
        }));
    return {
        felt: {width: felt.width, height: felt.height},
        share: ((union.right - union.left) * (union.bottom - union.top)) / (felt.width * felt.height),
        inside: union.left >= felt.left - 0.5 && union.right <= felt.right + 0.5 &&
            union.top >= felt.top - 0.5 && union.bottom <= felt.bottom + 0.5,
        buttons,
        texts,
    };
}

async function newGame(page) {
    await tapMenu(page, 'File', 'New');
    await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
}

// Where Take Score stands against the heap: beneath it upright, beside it sideways.
async function strip(page) {
    const score = await page.getByRole('button', {name: 'Take Score'}).boundingBox();
    const balls = await page.getByRole('button', {name: /^Ball /}).evaluateAll((es) =>
        es.map((e) => e.getBoundingClientRect().toJSON()));
    const heapBottom = Math.max(...balls.map((b) => b.bottom));
    const heapRight = Math.max(...balls.map((b) => b.right));
    return score.y >= heapBottom ? 'beneath' : score.x >= heapRight ? 'beside' : 'inside';
}

// Everything the player sees of the game: every ball, every label, the time left, the focus.
async function gameState(page) {
    return {
        balls: await page.locator('main button').evaluateAll((es) => es.map((e) => e.getAttribute('aria-label'))),
        labels: await page.locator('main [role="status"]').evaluateAll((es) =>
            es.filter((e) => !/^Seconds left/.test(e.getAttribute('aria-label')))
                .map((e) => e.getAttribute('aria-label'))),
        time: await timeLeft(page),
        focus: await page.evaluate(() => document.activeElement.getAttribute('aria-label')),
    };
}

runScenarios({
    async 'on phones held either way every ball and button is a finger wide and every text readable'() {
        for (const phone of PHONES) {
            const viewport = {width: phone.width, height: phone.height};
            await withBrowser(site, async ({open}) => {
                const page = await open('?seed=7');
                await newGame(page);
                const m = await page.evaluate(measureBoard);
                const where = `${phone.width} x ${phone.height}`;
                assert.equal(await strip(page), phone.width < phone.height ? 'beneath' : 'beside', where);
                assert.equal(m.buttons.length, 25, where);
                for (const b of m.buttons) {
                    assert.ok(b.width >= phone.finger && b.height >= phone.finger,
                              `${where}: ${b.name} is ${b.width} x ${b.height}`);
                }
                for (const t of m.texts) {
                    assert.ok(t.size >= 12, `${where}: "${t.text}" is ${t.size} px`);
                }
                assert.ok(m.inside, where);
                assert.ok(m.share >= 0.7, `${where}: the game fills ${m.share} of the felt`);
                const smallestButton = Math.min(...m.buttons.map((b) => Math.min(b.width, b.height)));
                const smallestText = Math.min(...m.texts.map((t) => t.size));
                console.log(`     ${where}: the game fills ${(100 * m.share).toFixed(0)} % of the felt, ` +
                            `smallest button ${smallestButton.toFixed(1)} px, smallest text ${smallestText.toFixed(1)} px`);
            }, touch(viewport));
        }
    },

    async 'a round played by taps on an upright phone'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=7');
            await newGame(page);
            const set = await findSet(page);
            for (const ball of set) {
                await tap(page, ball.locator);
            }
            assert.equal(await label(page, 'Selection sum'), 'Selection sum 0');
            assert.equal(await label(page, 'Elevens'), `Elevens ${Math.floor(set.length / 2)}`);
            await page.waitForFunction(() =>
                /^Round points [1-9]/.test(document.querySelector('[aria-label^="Round points"]').getAttribute('aria-label')));

            // Next Ball by a tap: the next ball goes onto the heap, and a new one comes.
            // (an emptied slot is hidden, but keeps its name)
            const emptySlots = () => document.querySelectorAll('main button[aria-label="Empty slot"]').length;
            const empty = await page.evaluate(emptySlots);
            assert.ok(empty > 0);
            await tap(page, page.getByRole('button', {name: 'Next Ball', exact: true}));
            await page.waitForFunction(`(${emptySlots})() === ${empty - 1}`);

            // A tap on a ball is one click, at once; another, once the first is no longer part of
            // a double tap, puts the ball back.
            const [ball] = await freeBalls(page);
            await tap(page, ball.locator);
            assert.equal(await label(page, 'Selection sum'), `Selection sum ${ball.value}`);
            await page.waitForTimeout(800);
            await tap(page, ball.locator);
            assert.equal(await label(page, 'Selection sum'), 'Selection sum 0');

            await tap(page, page.getByRole('button', {name: 'Take Score'}));
            const tapOk = (box) => tap(page, box.getByRole('button', {name: 'OK'}));
            // The clock stopped while the box is open, so that the next round is read as it starts.
            await page.getByRole('alertdialog').filter({hasText: 'Ready for Round 2'}).waitFor();
            await stopClock(page);
            await answerMessage(page, 'Ready for Round 2', {close: tapOk});
            const total = Number((await label(page, 'Total score')).split(' ').pop());
            assert.ok(total > 0, `total ${total}`);
            await answerMessage(page, 'Score 90,000 for BONUS ROUND!!', {close: tapOk});
            assert.equal(await timeLeft(page), 90);
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
        }, {...touch({width: 390, height: 844}), clock: true});
    },

    async 'turning the phone mid-round keeps the game and changes the arrangement'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=7');
            await newGame(page);
            const balls = await freeBalls(page);
            const [first] = balls;
            const second = balls.find((b) => b !== first && first.value + b.value < 11);
            await tap(page, first.locator);
            await tap(page, second.locator);
            await tapMenu(page, 'Help', 'Rules');
            await page.getByRole('dialog', {name: 'Rules'}).waitFor();
            // The round's time stopped, so that the time left before and after is the same.
            await stopClock(page);
            const before = await gameState(page);
            assert.equal(await strip(page), 'beneath');

            for (const [viewport, where] of [[{width: 844, height: 390}, 'beside'],
                                             [{width: 390, height: 844}, 'beneath']]) {
                // Turned, once the page has seen it (its own handler came first).
                await page.evaluate(() => {
                    window.turned = new Promise((resolve) => addEventListener('resize', resolve, {once: true}));
                });
                await page.setViewportSize(viewport);
                await page.evaluate(() => window.turned);
                assert.equal(await strip(page), where);
                const after = await gameState(page);
                assert.deepEqual(after.balls, before.balls);
                assert.deepEqual(after.labels, before.labels);
                assert.equal(after.focus, before.focus);
                assert.equal(after.time, before.time);
                assert.ok(await page.getByRole('dialog', {name: 'Rules'}).isVisible());
                assert.equal(await label(page, 'Selection sum'), `Selection sum ${first.value + second.value}`);
            }
        }, {...touch({width: 390, height: 844}), clock: true});
    },

    async 'the keyboard moves through the same controls in the same order on a phone'() {
        const order = async (options) => {
            let names = [];
            await withBrowser(site, async ({open}) => {
                const page = await open('?seed=7');
                await page.getByRole('menuitem', {name: 'File', exact: true}).click();
                await page.getByRole('menuitem', {name: 'New', exact: true}).click();
                await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
                await page.getByRole('button', {name: 'Next Ball', exact: true}).focus();
                for (let i = 0; i < 12; ++i) {
                    names.push(await page.evaluate(() => document.activeElement.getAttribute('aria-label')));
                    await page.keyboard.press('Tab');
                }
            }, options);
            return names;
        };
        const desktop = await order({viewport: {width: 1280, height: 800}});
        const phone = await order(touch({width: 390, height: 844}));
        assert.deepEqual(phone, desktop);
        assert.ok(new Set(desktop).size > 3, desktop.join(', '));
    },

    async 'with a mouse the form stands as designed, whatever the window size'() {
        for (const viewport of [{width: 1280, height: 800}, {width: 390, height: 844}]) {
            await withBrowser(site, async ({open}) => {
                const page = await open('?seed=7');
                // Each control at its designed place, in design pixels from the board's corner.
                const places = await page.evaluate(() => {
                    const board = document.getElementById('board');
                    const origin = board.getBoundingClientRect();
                    const scale = origin.width / board.offsetWidth;
                    const at = (element) => {
                        const r = element.getBoundingClientRect();
                        return [r.left - origin.left, r.top - origin.top, r.width, r.height]
                            .map((n) => Math.round(n / scale));
                    };
                    return {
                        board: [board.offsetWidth, board.offsetHeight],
                        score: at(document.querySelector('[aria-label="Take Score"]')),
                        next: at(document.querySelector('[aria-label="Next Ball"]')),
                        bar: at(document.querySelector('[role="progressbar"]')),
                    };
                });
                assert.deepEqual(places, {board: [984, 691], score: [845, 548, 81, 33],
                                          next: [585, 534, 113, 121], bar: [32, 613, 384, 25]});
            }, {viewport});
        }
    },
});
