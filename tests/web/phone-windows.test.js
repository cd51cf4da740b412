// The page's chrome under a finger, on phones upright and sideways: a menu bar of touch targets,
// help windows and message boxes wholly on screen, readable as drawn and closed by one tap, also
// after the phone is turned; a finger dragged across the game, any way, never leaving or reloading
// the page, while pinching zooms it; and a mouse on a desktop keeping the desktop's sizes.
'use strict';

const {withBrowser, runScenarios, assert, ready, chooseMenu, FREE_BALL} = require('./harness');

const site = process.argv[2];

// In the page: how the chrome inside `selector` is drawn, transforms included. Every visible
// button's size; every text's height (its font size times its element's scale, the element's
// drawn width against its own); and where the whole lies against the viewport and the menu bar.
function drawn(selector) {
    const root = document.querySelector(selector);
    const visible = (e) => e.offsetWidth > 0 && e.offsetHeight > 0;
    const scaleOf = (e) => e.getBoundingClientRect().width / e.offsetWidth;
    const ownText = (e) => e.tagName === 'TEXTAREA' ||
        [...e.childNodes].some((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim() !== '');
    const texts = [root, ...root.querySelectorAll('*')].filter((e) => visible(e) && ownText(e)).map((e) => ({
        text: (e.value || e.textContent).trim().slice(0, 24),
        px: parseFloat(getComputedStyle(e).fontSize) * scaleOf(e),
    }));
    const targets = [...root.querySelectorAll('button')].filter(visible).map((b) => {
        const r = b.getBoundingClientRect();
        return {name: b.getAttribute('aria-label') || b.textContent, w: r.width, h: r.height};
    });
    const box = root.getBoundingClientRect();
    return {box: [box.left, box.top, box.right, box.bottom], targets, texts,
            below: root.closest('header') ? 0 : document.querySelector('header').getBoundingClientRect().bottom,
            viewport: [innerWidth, innerHeight]};
}

// The chrome inside `selector` is wholly on screen (beneath the menu bar unless it is in the bar),
// every button in it at least `target` px both ways, every text at least 12 px high.
async function assertFingerSized(page, selector, target, where) {
    const m = await page.evaluate(drawn, selector);
    const [left, top, right, bottom] = m.box;
    const [width, height] = m.viewport;
    assert.ok(left >= -0.5 && top >= m.below - 0.5 && right <= width + 0.5 && bottom <= height + 0.5,
              `${where}: ${selector} off the screen at ${m.box} (viewport ${m.viewport}, bar to ${m.below})`);
    assert.ok(m.targets.length > 0, `${where}: no buttons in ${selector}`);
    for (const t of m.targets) {
        assert.ok(t.w >= target - 0.01 && t.h >= target - 0.01,
                  `${where}: ${t.name} is ${t.w.toFixed(1)} x ${t.h.toFixed(1)} px, less than ${target}`);
    }
    assert.ok(m.texts.length > 0, `${where}: no text in ${selector}`);
    for (const t of m.texts) {
        assert.ok(t.px >= 12, `${where}: "${t.text}" drawn ${t.px.toFixed(1)} px high`);
    }
}

// Turns the phone the other way round and waits until the page has seen it.
async function turn(page) {
    const {width, height} = page.viewportSize();
    await page.setViewportSize({width: height, height: width});
    await page.waitForFunction(([w, h]) => innerWidth === w && innerHeight === h, [height, width]);
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
}

// Fingers drawn across the screen, each from its `from` to its `to` point ({x, y}), and lifted:
// one finger a drag, two drawn apart a pinch.
async function drag(page, ...fingers) {
    const cdp = await page.context().newCDPSession(page);
    const at = (share) => fingers.map(({from, to}, id) => ({
        id, x: from.x + (to.x - from.x) * share, y: from.y + (to.y - from.y) * share}));
    const touch = (type, touchPoints = []) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints});
    await touch('touchStart', at(0));
    for (let step = 1; step <= 8; ++step) {
        await touch('touchMove', at(step / 8));
    }
    // Held still before it lifts, so that a scroll stops there and flings on no further: a tap
    // during a fling would only stop it.
    await page.waitForTimeout(150);
    await touch('touchMove', at(1));
    await touch('touchEnd');
    await cdp.detach();
}

// The page opened between two others in the history, so that a drag the browser took for going
// back or forward, or a pull it took for a reload, would leave it; and a check that it has not:
// the same address, and the same document, which a reload would replace.
async function openBetween(open, query) {
    await open('?seed=1');
    await open(query);
    const page = await open('?seed=9');
    await page.goBack();
    await ready(page);
    const address = page.url();
    const mark = `stayed-${Math.random()}`;
    await page.evaluate((value) => { document.documentElement.dataset.stayed = value; }, mark);
    return {page, stayed: async (what) => {
        assert.equal(page.url(), address, what);
        assert.equal(await page.evaluate(() => document.documentElement.dataset.stayed), mark, what);
    }};
}

async function tapMenu(page, menu, item) {
    await page.getByRole('menuitem', {name: menu, exact: true}).tap();
    await page.getByRole('menuitem', {name: item, exact: true}).tap();
}

async function playPhone(viewport) {
    const where = `${viewport.width}x${viewport.height}`;
    // The brief's targets: 44 px on phones from 375 px either way, 40 px on smaller ones.
    const target = Math.min(viewport.width, viewport.height) >= 375 ? 44 : 40;
    await withBrowser(site, async ({open}) => {
        const {page, stayed} = await openBetween(open, '?seed=7');
        assert.ok(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), `${where}: no coarse pointer`);

        // A finger dragged across the board and across the bar, either way from either edge, and
        // down from the top and up from the bottom: the page stays. (The rest of the scenario
        // plays on in it, time enough for any navigation to show.)
        const {width: w, height: h} = viewport;
        const bar = await page.locator('header').boundingBox();
        const middle = bar.y + bar.height + (h - bar.y - bar.height) / 2;
        const barMiddle = bar.y + bar.height / 2;
        for (const [from, to] of [[[1, middle], [w - 1, middle]], [[w - 1, middle], [1, middle]],
                                  [[1, barMiddle], [w - 1, barMiddle]], [[w - 1, barMiddle], [1, barMiddle]],
                                  [[w / 2, 1], [w / 2, h - 1]], [[w / 3, bar.y + bar.height + 1], [w / 3, h - 1]],
                                  [[w / 2, h - 1], [w / 2, 1]], [[1, 1], [w - 1, h - 1]]]) {
            await drag(page, {from: {x: from[0], y: from[1]}, to: {x: to[0], y: to[1]}});
        }
        await stayed(`${where}: a drag across the game left the page`);

        // The menu bar, and each menu open: a tap on a title while another menu is open opens it.
        await assertFingerSized(page, 'header', target, `${where} menu bar`);
        await page.getByRole('menuitem', {name: 'File', exact: true}).tap();
        await assertFingerSized(page, '.menu:not([hidden])', target, `${where} File menu`);
        await page.getByRole('menuitem', {name: 'Help', exact: true}).tap();
        const helpMenu = page.getByRole('menu', {name: 'Help'});
        assert.ok(await helpMenu.isVisible(), `${where}: a tap on Help with File open left no menu open`);
        await assertFingerSized(page, '.menu:not([hidden])', target, `${where} Help menu`);

        // Rules: the title picture over the game's text, which scrolls inside its box; the
        // window stays whole and readable as the phone turns and turns back; one tap closes it.
        await page.getByRole('menuitem', {name: 'Rules', exact: true}).tap();
        const rules = page.getByRole('dialog', {name: 'Rules'});
        await rules.waitFor();
        const text = rules.getByRole('textbox', {name: 'Rules'});
        assert.ok((await text.inputValue()).startsWith('Zentrix     ver 1.0\n\n\nRules:\n'));
        assert.match(await rules.locator('.help-client').evaluate((c) => getComputedStyle(c).backgroundImage),
                     /title-top(@2x)?\.webp/);
        for (const turned of ['', ' turned', ' turned back']) {
            if (turned) {
                await turn(page);
            }
            await assertFingerSized(page, '[role="dialog"]', target, `${where}${turned} Rules`);
            const box = await text.evaluate((e) => ({over: e.scrollHeight - e.clientHeight, shown: e.clientHeight}));
            assert.ok(box.shown >= 100, `${where}${turned}: the Rules text shows ${box.shown} px`);
            if (box.over > 1) {
                // A finger drawn up the text scrolls it, and the window stays where it is.
                const at = await text.boundingBox();
                const x = at.x + at.width / 2;
                await drag(page, {from: {x, y: at.y + at.height - 10}, to: {x, y: at.y + 10}});
                await page.waitForFunction((e) => e.scrollTop > 0, await text.elementHandle());
                assert.deepEqual(await text.boundingBox(), at);
                await text.evaluate((e) => { e.scrollTop = 0; });
                // Sideways over the text, which scrolls only up and down, the page stays too.
                const y = at.y + at.height / 2;
                await drag(page, {from: {x: at.x + 2, y}, to: {x: at.x + at.width - 2, y}});
                await drag(page, {from: {x: at.x + at.width - 2, y}, to: {x: at.x + 2, y}});
            }
        }
        await rules.getByRole('button', {name: 'Close'}).tap();
        await rules.waitFor({state: 'detached'});

        // About: the same, also when dragged by its title bar towards a corner; closed by a tap
        // on Ok, then on its close box.
        const about = page.getByRole('dialog', {name: 'ABout'});
        for (const closer of ['Ok', 'Close']) {
            await tapMenu(page, 'Help', 'About');
            await about.waitFor();
            await assertFingerSized(page, '[role="dialog"]', target, `${where} About`);
            const heading = await about.getByRole('heading').boundingBox();
            await page.mouse.move(heading.x + 5, heading.y + heading.height / 2);
            await page.mouse.down();
            await page.mouse.move(closer === 'Ok' ? viewport.width : 0, viewport.height, {steps: 4});
            await page.mouse.up();
            await assertFingerSized(page, '[role="dialog"]', target, `${where} About dragged`);
            await about.getByRole('button', {name: closer, exact: true}).tap();
            await about.waitFor({state: 'detached'});
        }

        // A message box by playing: a new game, its score taken at once. It stays whole and
        // readable as the phone turns and turns back, and a tap on OK closes it.
        await tapMenu(page, 'File', 'New');
        await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
        await page.getByRole('button', {name: 'Take Score'}).tap();
        const box = page.getByRole('alertdialog');
        await box.waitFor();
        for (const turned of ['', ' turned', ' turned back']) {
            if (turned) {
                await turn(page);
            }
            await assertFingerSized(page, '[role="alertdialog"]', target, `${where}${turned} message box`);
        }
        const shown = page.locator(`[aria-labelledby="${await box.getAttribute('aria-labelledby')}"]`);
        await box.getByRole('button', {name: 'OK'}).tap();
        await shown.waitFor({state: 'detached'});

        // Two fingers drawn apart over the board zoom the page in; and it never left.
        const centre = {x: w / 2, y: middle};
        await drag(page, {from: {x: centre.x - 10, y: centre.y}, to: {x: centre.x - w / 3, y: centre.y}},
                   {from: {x: centre.x + 10, y: centre.y}, to: {x: centre.x + w / 3, y: centre.y}});
        await page.waitForFunction(() => visualViewport.scale > 1.5);
        await stayed(`${where}: the page was left`);
    }, {viewport, hasTouch: true, deviceScaleFactor: 3});
}

runScenarios({
    async 'a phone upright, 390 x 844'() {
        await playPhone({width: 390, height: 844});
    },
    async 'a small phone upright, 360 x 640'() {
        await playPhone({width: 360, height: 640});
    },
    async 'a phone sideways, 844 x 390'() {
        await playPhone({width: 844, height: 390});
    },
    async 'a small phone sideways, 640 x 360'() {
        await playPhone({width: 640, height: 360});
    },

    async 'a mouse on a desktop keeps the desktop sizes'() {
        await withBrowser(site, async ({open}) => {
            const page = await open('?seed=7');
            assert.ok(await page.evaluate(() => matchMedia('(pointer: fine)').matches));
            // Sizes as laid out, before any window's scale: [width, height, font size].
            const sizes = (selector) => page.locator(selector).evaluateAll((es) => es.map((e) =>
                [e.offsetWidth, e.offsetHeight, getComputedStyle(e).fontSize]));
            assert.deepEqual((await sizes('header'))[0].slice(1), [25, '14px']);
            assert.deepEqual((await sizes('.menu-title')).map((s) => s.slice(1)), [[24, '14px'], [24, '14px']]);
            assert.deepEqual(await sizes('#full-screen'), [[34, 24, '14px']]);
            await page.getByRole('menuitem', {name: 'Help', exact: true}).click();
            assert.deepEqual(await sizes('.menu:not([hidden]) .menu-item'),
                             [[120, 22, '14px'], [120, 22, '14px']]);
            await page.keyboard.press('Escape');

            await chooseMenu(page, 'Help', 'Rules');
            await chooseMenu(page, 'Help', 'About');
            assert.deepEqual(await sizes('.help-window .title-bar'), [[598, 24, '14px'], [596, 24, '14px']]);
            assert.deepEqual((await sizes('.help-window h2')).map((s) => s[2]), ['13px', '13px']);
            assert.deepEqual(await sizes('.close-box'), [[22, 18, '13px'], [22, 18, '13px']]);
            assert.deepEqual(await sizes('.help-client'), [[598, 498, '14px'], [596, 299, '14px']]);
            assert.deepEqual(await sizes('.help-client textarea'), [[599, 202, '16px']]);
            assert.deepEqual(await sizes('.about-ok'), [[64, 30, '16px']]);
            // Both at the board's scale.
            const scales = await page.locator('.help-window').evaluateAll((ws) =>
                ws.map((w) => w.getBoundingClientRect().width / w.offsetWidth));
            const board = await page.locator('#board').evaluate((b) => b.getBoundingClientRect().width / b.offsetWidth);
            for (const scale of scales) {
                assert.ok(Math.abs(scale - board) < 0.01, `a help window at x${scale}, the board at x${board}`);
            }
            await page.getByRole('dialog', {name: 'ABout'}).getByRole('button', {name: 'Ok'}).click();
            await page.getByRole('dialog', {name: 'Rules'}).getByRole('button', {name: 'Close'}).click();

            await chooseMenu(page, 'File', 'New');
            await page.getByRole('button', {name: 'Take Score'}).click();
            const box = page.getByRole('alertdialog');
            await box.waitFor();
            assert.deepEqual((await sizes('.message-box .title-bar'))[0].slice(1), [24, '14px']);
            assert.deepEqual(await sizes('.message-box button'), [[75, 23, '14px']]);
            assert.deepEqual((await sizes('.message-text'))[0].slice(2), ['14px']);
            const shown = page.locator(`[aria-labelledby="${await box.getAttribute('aria-labelledby')}"]`);
            await box.getByRole('button', {name: 'OK'}).click();
            await shown.waitFor({state: 'detached'});
        });
    },
});
