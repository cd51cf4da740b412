// What every browser test shares: the site served on 127.0.0.1, Debian's chromium driven by
// playwright-core (which downloads no browser), and a page that fails its test on any console
// error, uncaught exception or request outside the page's own origin.
'use strict';

const assert = require('assert/strict');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {chromium} = require('playwright-core');
const {serve} = require('../../tools/serve-web');

const CHROMIUM = process.env.ZENTRIX_CHROMIUM || '/usr/bin/chromium';
const FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// Starts the server and a browser with a fresh profile; `run(session)` gets {browser, context,
// site, open}. Everything is torn down afterwards, and the run fails on any page fault seen but
// the console errors `expectedErrors` match (a test's own refused actions). With `clock`, the
// pages run on the test's clock (see stopClock), at the real pace until it is stopped.
async function withBrowser(siteFolder, run,
                           {viewport = {width: 1280, height: 800}, hasTouch = false, deviceScaleFactor = 1,
                            origins = [], expectedErrors = [], clock = false} = {}) {
    const site = await serve(siteFolder, 0);
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrix-chromium-'));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: CHROMIUM,
        headless: true,
        args: FLAGS,
        viewport,
        hasTouch,
        deviceScaleFactor,
    });
    if (clock) {
        await context.clock.install();
    }
    const faults = [];
    const watch = (page) => {
        page.on('console', (message) => {
            if (message.type() === 'error' && !expectedErrors.some((pattern) => pattern.test(message.text()))) {
                faults.push(`console error: ${message.text()}`);
            }
        });
        page.on('pageerror', (error) => faults.push(`page error: ${error.message}`));
    };
    context.on('page', watch);
    context.pages().forEach(watch);
    context.on('request', (request) => {
        const url = request.url();
        if (![site.url, ...origins].some((origin) => url.startsWith(origin)) && !url.startsWith('data:') &&
            !url.startsWith('blob:')) {
            faults.push(`request outside the page's origin: ${url}`);
        }
    });
    const open = async (query = '') => {
        const page = context.pages()[0] || await context.newPage();
        await page.goto(`${site.url}${query}`);
        await page.getByRole('button', {name: 'Next Ball', exact: true}).waitFor();
        await ready(page);
        return page;
    };
    try {
        await run({context, site, open});
        assert.deepEqual(faults, [], 'the page reported faults');
    } finally {
        await context.close();
        site.server.close();
        fs.rmSync(profile, {recursive: true, force: true});
    }
}

// Runs the named scenarios one after another and reports each; exits non-zero if any failed.
async function runScenarios(scenarios) {
    const only = process.argv.slice(3);
    let failed = 0;
    for (const [name, scenario] of Object.entries(scenarios)) {
        if (only.length > 0 && !only.includes(name)) {
            continue;
        }
        const started = Date.now();
        try {
            await scenario();
            console.log(`ok   ${name} (${((Date.now() - started) / 1000).toFixed(1)} s)`);
        } catch (error) {
            failed += 1;
            console.log(`FAIL ${name}: ${error.stack || error}`);
        }
    }
    process.exitCode = failed > 0 ? 1 : 0;
}

module.exports = {withBrowser, runScenarios, assert};

// ---- Reading and playing the board through its accessible names ----

// Waits until the game has loaded and started. The window shows before that, busy, and takes no
// input meanwhile; the page's word that the game cannot start is not shown.
async function ready(page) {
    await page.locator('main[aria-busy="false"]').waitFor();
    assert.equal(await page.getByRole('alert').count(), 0, 'the page says the game cannot start');
}

const FREE_BALL = /^(Ball|Next ball) \d+, free/;

// The free balls on the board, in page order: {name, value, selected, locator}.
async function freeBalls(page) {
    const balls = page.getByRole('button', {name: FREE_BALL});
    const names = await balls.evaluateAll((elements) =>
        elements.map((e) => e.getAttribute('aria-label')));
    return names.map((name, i) => ({
        name,
        value: Number(/\d+/.exec(name)[0]),
        selected: name.endsWith(', selected'),
        locator: balls.nth(i),
    }));
}

// Some free balls whose values add up to exactly 11, or null.
function setOfEleven(balls) {
    const pick = (from, left) => {
        if (left === 0) {
            return [];
        }
        for (let i = from; i < balls.length; ++i) {
            if (balls[i].value <= left) {
                const rest = pick(i + 1, left - balls[i].value);
                if (rest) {
                    return [balls[i], ...rest];
                }
            }
        }
        return null;
    };
    return pick(0, 11);
}

// A free set of 11 on the board, pressing Next Ball until there is one.
async function findSet(page) {
    for (let tries = 0; tries < 30; ++tries) {
        const set = setOfEleven(await freeBalls(page));
        if (set) {
            return set;
        }
        await page.getByRole('button', {name: 'Next Ball', exact: true}).click();
    }
    throw new Error('no set of 11 came up');
}

// What a label says now ("Total score 120"), found by the start of its name.
async function label(page, what) {
    return page.getByRole('status', {name: new RegExp(`^${what}`)}).getAttribute('aria-label');
}

// Stops the page's clock (withBrowser's `clock`): from here its timers run only as the test moves
// the clock on (page.clock.runFor, page.clock.fastForward), however busy the machine, so that
// what the countdown shows is what the test made it. The clock moves on a few milliseconds as
// it stops. page.clock.resume() sets it going again, as a page opened needs.
async function stopClock(page) {
    for (let ahead = 20; ; ahead *= 2) {
        // Where the page's clock is by the time it is stopped is not known here: a little ahead of
        // where it was, and further if it had passed that already.
        const now = await page.evaluate(() => Date.now());
        try {
            await page.clock.pauseAt(now + ahead);
            return;
        } catch (error) {
            if (!/past/.test(error.message) || ahead > 60000) {
                throw error;
            }
        }
    }
}

async function timeLeft(page) {
    return Number(await page.getByRole('progressbar', {name: 'Time left'}).getAttribute('aria-valuenow'));
}

async function chooseMenu(page, menu, item) {
    await page.getByRole('menuitem', {name: menu, exact: true}).click();
    await page.getByRole('menuitem', {name: item, exact: true}).click();
}

// New deals, and the page plays: a ball, clicked, is selected.
async function deals(page) {
    await chooseMenu(page, 'File', 'New');
    await page.getByRole('button', {name: FREE_BALL}).first().waitFor();
    const ball = (await freeBalls(page))[0];
    await ball.locator.click();
    assert.equal(await ball.locator.getAttribute('aria-label'), `${ball.name}, selected`);
}

// Waits for the message box, checks its title, text and single OK button, and closes it with
// `close` (a click by default).
async function answerMessage(page, text, {title = 'Zentrix', timeout = 30000, close} = {}) {
    const box = page.getByRole('alertdialog', {name: title}).filter({hasText: text});
    await box.waitFor({timeout});
    assert.equal(await box.getAttribute('aria-modal'), 'true');
    const titleId = await box.getAttribute('aria-labelledby');
    const textId = await box.getAttribute('aria-describedby');
    assert.equal(await page.locator(`[id="${titleId}"]`).textContent(), title);
    assert.equal(await page.locator(`[id="${textId}"]`).textContent(), text);
    const buttons = box.getByRole('button');
    assert.equal(await buttons.count(), 1);
    assert.equal(await buttons.first().textContent(), 'OK');
    if (close) {
        await close(box);
    } else {
        await buttons.first().click();
    }
    await box.waitFor({state: 'detached'});
}

module.exports = Object.assign(module.exports, {ready, freeBalls, setOfEleven, findSet, label, stopClock, timeLeft,
                                                chooseMenu, deals, answerMessage, FREE_BALL});
