// Playing through the page with the mouse: a fresh page, the window before the game has loaded,
// New, a set of 11 removed by real clicks, a click on a ball's corner, and a game played to its
// end with every message box in order.
'use strict';

const {withBrowser, runScenarios, assert, ready, freeBalls, findSet, label, stopClock, timeLeft, chooseMenu,
       answerMessage, FREE_BALL} = require('./harness');

const site = process.argv[2];

runScenarios({
    async 'fresh page, then New deals the board'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=7');
            // The page's time moves on only as the test says.
            await stopClock(page);
            // Before New: nothing dealt, the countdown full and standing still.
            assert.equal(await page.getByRole('button', {name: /^Ball /}).count(), 0);
            assert.equal(await timeLeft(page), 90);
            assert.equal(await label(page, 'Elevens'), 'Elevens 0');
            assert.equal(await page.getByRole('status', {name: 'Score', exact: true}).count(), 1);
            assert.equal(await page.getByRole('status', {name: "11'S", exact: true}).count(), 1);
            await page.clock.runFor(1300);
            assert.equal(await timeLeft(page), 90);
            assert.equal(await page.getByRole('alertdialog').count(), 0);
            assert.equal(await page.title(), 'Zentrix');
            // The focus starts on Next Ball.
            assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')),
                         'Next Ball');

            await chooseMenu(page, 'File', 'New');
            // 22 balls on the heap and a next ball, some of them free.
            await page.getByRole('button', {name: /^Next ball \d+, free$/}).waitFor();
            assert.equal(await page.getByRole('button', {name: /^Ball \d+, (free|not free)$/}).count(), 22);
            assert.ok((await freeBalls(page)).length >= 3);
            assert.equal(await timeLeft(page), 90);
            assert.equal(await label(page, 'Total score'), 'Total score 0');
            assert.ok(await page.getByRole('button', {name: 'Take Score'}).isEnabled());
            // A second later, one tick.
            await page.clock.runFor(1000);
            assert.equal(await timeLeft(page), 89);
        }, {clock: true});
    },

    async 'the window shows before the game has loaded; About and Rules open at once, the rest is carried out once it has'() {
        await withBrowser(site, async ({context, site: served}) => {
            const page = context.pages()[0] || await context.newPage();
            // The game's WebAssembly held back until the test lets it through (the layout's own small
            // module, which places the windows, comes as it is).
            let release;
            const released = new Promise((resolve) => { release = resolve; });
            await page.route(/\/zentrix-[0-9a-f]{12}\.wasm$/, async (route) => {
                await released;
                await route.continue();
            });
            await page.goto(`${served.url}?seed=7`, {waitUntil: 'commit'});
            const nextBall = page.getByRole('button', {name: 'Next Ball', exact: true});
            await nextBall.waitFor();
            const main = page.getByRole('main', {name: 'Zentrix'});
            assert.equal(await main.getAttribute('aria-busy'), 'true');
            // It says it is loading.
            assert.ok(await page.getByRole('status', {name: 'Loading'}).isVisible());
            // The window already as the game's start-up leaves it.
            assert.equal(await timeLeft(page), 90);
            assert.equal(await label(page, 'Elevens'), 'Elevens 0');
            assert.equal(await page.getByRole('button', {name: /^Ball /}).count(), 0);
            assert.equal(await page.getByRole('button', {name: 'Empty slot'}).count(), 22);
            assert.equal(await page.getByRole('button', {name: 'No next ball'}).count(), 1);
            assert.ok(await page.getByRole('button', {name: 'Take Score'}).isDisabled());
            const before = await main.innerHTML();

            // About and Rules need nothing of the game: they open at once, and close.
            await chooseMenu(page, 'Help', 'About');
            const about = page.getByRole('dialog', {name: 'ABout'});
            await about.waitFor();
            await about.getByRole('button', {name: 'Ok'}).click();
            await about.waitFor({state: 'detached'});
            await chooseMenu(page, 'Help', 'Rules');
            const rules = page.getByRole('dialog', {name: 'Rules'});
            await rules.waitFor();
            assert.ok((await rules.getByRole('textbox', {name: 'Rules'}).inputValue()).includes('equalls 11'));
            await rules.getByRole('button', {name: 'Close'}).click();
            // New is held meanwhile; the board stays as it is.
            await chooseMenu(page, 'File', 'New');
            await page.waitForTimeout(300);
            assert.equal(await page.getByRole('alertdialog').count(), 0);
            assert.equal(await main.getAttribute('aria-busy'), 'true');
            assert.equal(await main.innerHTML(), before);

            // The game loads: its start-up shows the same window (as it stands when the start-up
            // has run, before the first tick of any timer), then New is carried out.
            await main.evaluate((element) => {
                new MutationObserver(() => { window.windowAtStart = element.innerHTML; })
                    .observe(element, {attributes: true, attributeFilter: ['aria-busy']});
            });
            release();
            const atStart = await page.waitForFunction(() => window.windowAtStart, null,
                                                       {timeout: 20000});
            assert.equal(await atStart.jsonValue(), before);
            await ready(page);
            assert.equal(await page.getByRole('status', {name: 'Loading'}).count(), 0);
            const ball = page.getByRole('button', {name: FREE_BALL}).first();
            await ball.waitFor();
            assert.equal(await page.getByRole('button', {name: /^Ball \d+, (free|not free)$/}).count(), 22);
            assert.equal(await page.getByRole('dialog').count(), 0);

            // And it plays.
            const name = await ball.getAttribute('aria-label');
            await ball.click();
            assert.equal(await page.getByRole('button', {name: `${name}, selected`}).count(), 1);
        });
    },

    async "the browser's accessibility tree names every control as the desktop does"() {
        await withBrowser(site, async ({context, open}) => {
            const page = await open('?seed=7');
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            const cdp = await context.newCDPSession(page);
            const {nodes} = await cdp.send('Accessibility.getFullAXTree');
            const seen = nodes.filter((n) => !n.ignored).map((n) => ({
                role: n.role && n.role.value,
                name: n.name && n.name.value,
                value: n.value && n.value.value,
                props: Object.fromEntries((n.properties || []).map((p) => [p.name, p.value.value])),
            }));
            const find = (role, name) => seen.filter((n) => n.role === role &&
                (name instanceof RegExp ? name.test(n.name) : n.name === name));
            const bar = find('progressbar', 'Time left');
            assert.equal(bar.length, 1);
            assert.equal(bar[0].props.valuemin, 0);
            assert.equal(bar[0].props.valuemax, 90);
            assert.equal(Number(bar[0].value), 90);
            assert.equal(find('button', 'Next Ball').length, 1);
            assert.equal(find('button', 'Take Score').length, 1);
            assert.equal(find('button', /^Next ball \d+, free$/).length, 1);
            assert.equal(find('button', /^Ball \d+, (not )?free$/).length, 22);
            // Balls that are not free are there but cannot be pressed.
            for (const ball of find('button', /^Ball \d+, not free$/)) {
                assert.equal(ball.props.disabled, true);
            }
            assert.equal(find('menubar', 'Zentrix').length, 1);
            assert.deepEqual(find('menuitem', /.*/).map((n) => n.name), ['File', 'Help']);
            for (const name of ['Selection sum 0', 'Elevens 0', 'Score', 'Total score 0', "11'S",
                                'Round points 0']) {
                assert.equal(find('status', name).length, 1, name);
            }
            assert.equal(find('button', 'Full screen').length, 1);
            // Its sign is drawn, not a character that a font may lack.
            const sign = await page.getByRole('button', {name: 'Full screen'}).evaluate((button) => ({
                text: button.textContent.trim(),
                drawn: [...button.querySelectorAll('svg *')].map((shape) => shape.getBBox())
                    .some((box) => box.width >= 8 && box.height >= 8),
            }));
            assert.deepEqual(sign, {text: '', drawn: true});
        });
    },

    async 'a set of 11 removed by clicks; a corner click does nothing'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=7');
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();

            // A click on the corner of a free ball's box, outside the circle, reaches the felt. (The
            // next ball's box overlaps no other; boxes in the heap overlap their neighbours'.)
            const ball = (await freeBalls(page)).find((b) => b.name.startsWith('Next ball'));
            const box = await ball.locator.boundingBox();
            for (const [x, y] of [[3, 3], [box.width - 3, box.height - 3]]) {
                await page.mouse.click(box.x + x, box.y + y);
                assert.equal(await ball.locator.getAttribute('aria-label'), ball.name);
            }
            assert.equal(await label(page, 'Selection sum'), 'Selection sum 0');
            // Inside the circle, it selects; a second click lets go.
            await page.mouse.click(box.x + box.width / 2, box.y + box.height * 0.8);
            assert.equal(await ball.locator.getAttribute('aria-label'), `${ball.name}, selected`);
            assert.equal(await label(page, 'Selection sum'), `Selection sum ${ball.value}`);
            await ball.locator.click();
            assert.equal(await ball.locator.getAttribute('aria-label'), ball.name);

            const before = await page.getByRole('button', {name: /^Ball \d+/}).count();
            const set = await findSet(page);
            let sum = 0;
            for (const [i, b] of set.entries()) {
                await b.locator.click();
                sum += b.value;
                if (i < set.length - 1) {
                    assert.equal(await label(page, 'Selection sum'), `Selection sum ${sum}`);
                }
            }
            assert.equal(sum, 11);
            assert.equal(await label(page, 'Selection sum'), 'Selection sum 0');
            assert.equal(await label(page, 'Elevens'), `Elevens ${Math.floor(set.length / 2)}`);
            // Within a refresh the emptied boxes leave the board and the round's points show.
            await page.waitForFunction(() => {
                const points = document.querySelector('[aria-label^="Round points"]');
                return points && /^Round points [1-9]\d*$/.test(points.getAttribute('aria-label'));
            });
            const tookNext = set.some((b) => b.name.startsWith('Next ball'));
            const after = await page.getByRole('button', {name: /^Ball \d+/}).count();
            assert.equal(after, before - set.length + (tookNext ? 1 : 0));
            assert.equal(await page.getByRole('button', {name: /, selected$/}).count(), 0);
        });
    },

    async 'a double-click selects a free ball once; two quick clicks on Next Ball press it twice'() {
        // The next ball after each press of Next Ball on a full heap, from a fixed deal.
        const nextBall = (page) => page.getByRole('button', {name: /^Next ball \d+/}).getAttribute('aria-label');
        const dealt = async (open) => {
            const page = await open('?seed=5');
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            return page;
        };
        let oneByOne;
        await withBrowser(site, async ({open}) => {
            const page = await dealt(open);
            oneByOne = [await nextBall(page)];
            for (let press = 0; press < 6; ++press) {
                await page.getByRole('button', {name: 'Next Ball', exact: true}).click();
                await page.waitForTimeout(700);  // past any double-click's time
                oneByOne.push(await nextBall(page));
            }
        });
        // Were every double-click one press, the next balls would run as after single presses.
        const pairs = [oneByOne[2], oneByOne[4], oneByOne[6]];
        assert.notDeepEqual(pairs, oneByOne.slice(1, 4), `the deal cannot tell one press from two: ${oneByOne}`);

        await withBrowser(site, async ({open}) => {
            const page = await dealt(open);
            // A free ball of the heap double-clicked: selected, and counted once.
            const ball = (await freeBalls(page)).find((b) => b.name.startsWith('Ball '));
            await ball.locator.dblclick();
            assert.equal(await page.getByRole('button', {name: `${ball.name}, selected`}).count(), 1);
            assert.equal(await label(page, 'Selection sum'), `Selection sum ${ball.value}`);
            // A click of its own later takes the selection back.
            await page.waitForTimeout(700);
            await page.getByRole('button', {name: `${ball.name}, selected`}).click();
            assert.equal(await label(page, 'Selection sum'), 'Selection sum 0');
            assert.equal(await page.getByRole('button', {name: ball.name, exact: true}).count(), 1);

            // Next Ball double-clicked three times: two presses each.
            const seen = [];
            for (let i = 0; i < 3; ++i) {
                await page.getByRole('button', {name: 'Next Ball', exact: true}).dblclick();
                await page.waitForTimeout(700);
                seen.push(await nextBall(page));
            }
            assert.deepEqual(seen, pairs);
        });
    },

    async 'a game to its end, with every message box in order'() {
        await withBrowser(site, async ({open}) => {
            // The page's time moves on only as the test says; the countdown's pace has its own test.
            const page = await open('?seed=11');
            await stopClock(page);
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();

            // Round 1 runs out of time: the box comes with the countdown at 0 and stopped, and
            // nothing on the board answers while it is open.
            await page.clock.runFor(89000);
            assert.equal(await page.getByRole('alertdialog').count(), 0);
            await page.clock.runFor(1000);
            await page.getByRole('alertdialog').waitFor();
            assert.equal(await timeLeft(page), 0);
            assert.equal(await label(page, 'Seconds left'), 'Seconds left 0');
            await page.mouse.click(300, 300);
            await page.keyboard.press('Tab');
            await page.clock.runFor(400);
            assert.equal(await timeLeft(page), 0);
            await answerMessage(page, 'Ready for Round 2');
            assert.equal(await label(page, 'Total score'), 'Total score 0');
            await answerMessage(page, 'Score 90,000 for BONUS ROUND!!');

            // Round 2: a fresh board and a full countdown; a set removed, then Take Score.
            assert.equal(await timeLeft(page), 90);
            assert.equal(await label(page, 'Round points'), 'Round points 0');
            assert.equal(await label(page, 'Elevens'), 'Elevens 0');
            const set = await findSet(page);
            for (const b of set) {
                await b.locator.click();
            }
            await page.getByRole('button', {name: 'Take Score'}).click();
            await answerMessage(page, 'Game Over');

            // Game over: the total stays, Take Score and the balls are off, the clock stands.
            const total = Number((await label(page, 'Total score')).split(' ').pop());
            assert.ok(total >= 1000, `total ${total}`);
            assert.ok(!(await page.getByRole('button', {name: 'Take Score'}).isEnabled()));
            assert.equal(await label(page, 'Round points'), 'Round points');
            assert.equal(await page.getByRole('button', {name: FREE_BALL}).count(), 0);
            const left = await timeLeft(page);
            await page.clock.runFor(5000);
            assert.equal(await timeLeft(page), left);
            assert.equal(await page.getByRole('alertdialog').count(), 0);

            // New starts another game from there.
            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
            assert.equal(await timeLeft(page), 90);
            assert.equal(await label(page, 'Total score'), 'Total score 0');
            assert.ok(await page.getByRole('button', {name: 'Take Score'}).isEnabled());
        }, {clock: true});
    },
});
