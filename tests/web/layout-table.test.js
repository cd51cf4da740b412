// The page against the layout's table of screens (tests/ui/layout/screens.txt), which the layout's
// own test pins for the Linux and Windows programs: at each screen, the board as the style sheet
// alone draws it for the first paint and as the script places it, and, where its windows are a
// finger's, About and Rules as the script lays them out, all as the table has them.
'use strict';

const fs = require('fs');
const path = require('path');
const {withBrowser, runScenarios, assert, chooseMenu} = require('./harness');

const site = process.argv[2];

const rows = fs.readFileSync(path.join(__dirname, '..', 'ui', 'layout', 'screens.txt'), 'utf8').split('\n')
    .filter((line) => line && !line.startsWith('#')).map((line) => {
        const [given, answers] = line.split(' => ');
        const [width, height, pointer, above, frame] = given.split(' ');
        const [choice, board, about, rules] = answers.split(' | ').map((part) => part.split(' '));
        return {
            width: Number(width), height: Number(height), finger: pointer === 'finger', above: Number(above),
            frame: Number(frame), arrangement: choice[0], fingerWindows: choice[1] === 'finger',
            board: board.map(Number), about: about && about.map(Number), rules: rules && rules.map(Number),
        };
    });

const near = (got, want, what) => assert.ok(Math.abs(got - want) < 1e-5, `${what}: ${got}, the layout has ${want}`);
const box = (numbers, at) => numbers.slice(at, at + 4);

// In the page: the board's scale and place as the style sheet has it (the script's own placing set
// aside for the moment) and as the script has it, the menu bar's height, and whether the windows
// are drawn for a finger.
function boardNow() {
    const board = document.getElementById('board');
    const matrix = (transform) => new DOMMatrixReadOnly(transform);
    const script = matrix(getComputedStyle(board).transform);
    const placed = board.style.transform;
    board.style.transform = '';
    const sheet = matrix(getComputedStyle(board).transform);
    board.style.transform = placed;
    return {
        sheet: [sheet.a, sheet.e, sheet.f], script: [script.a, script.e, script.f],
        above: document.querySelector('header').getBoundingClientRect().bottom,
        fingerWindows: matchMedia(JSON.parse(document.getElementById('zentrix-layout').textContent).finger.windows)
            .matches,
    };
}

async function checkBoard(page, row, where) {
    const got = await page.evaluate(boardNow);
    assert.equal(got.above, row.above, `${where}: the menu bar's height`);
    assert.equal(got.fingerWindows, row.fingerWindows, `${where}: the windows drawn for a finger`);
    for (const [drawn, by] of [[got.sheet, 'the style sheet'], [got.script, 'the script']]) {
        near(drawn[0], row.board[0], `${where}: the board's scale by ${by}`);
        assert.deepEqual(drawn.slice(1), row.board.slice(1), `${where}: the board's place by ${by}`);
    }
}

// About and Rules as the page lays them out for a finger: [x, y, w, h] of each part, and the title
// picture's scale.
async function checkHelp(page, row, where) {
    await chooseMenu(page, 'Help', 'About');
    const about = page.getByRole('dialog', {name: 'ABout'});
    await about.waitFor();
    assert.equal(await about.evaluate((w) => w.clientLeft), row.frame, `${where}: a window's frame`);
    const drawnAbout = await about.evaluate((w, titleWidth) => {
        const place = (e) => [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight];
        const client = w.querySelector('.help-client');
        return {client: [0, 0, client.offsetWidth, client.offsetHeight], ok: place(w.querySelector('.about-ok')),
                scale: parseFloat(getComputedStyle(client).backgroundSize) / titleWidth};
    }, 600);
    assert.deepEqual(drawnAbout.client, box(row.about, 0), `${where}: About's client area`);
    assert.deepEqual(drawnAbout.ok, box(row.about, 4), `${where}: About's Ok`);
    near(drawnAbout.scale, row.about[8], `${where}: About's picture`);
    await about.getByRole('button', {name: 'Ok', exact: true}).click();

    await chooseMenu(page, 'Help', 'Rules');
    const rules = page.getByRole('dialog', {name: 'Rules'});
    await rules.waitFor();
    const drawnRules = await rules.evaluate((w, titleWidth) => {
        const client = w.querySelector('.help-client');
        const text = w.querySelector('textarea');
        return {client: [0, 0, client.offsetWidth, client.offsetHeight],
                text: [text.offsetLeft, text.offsetTop, text.offsetWidth, text.offsetHeight],
                scale: parseFloat(getComputedStyle(client).backgroundSize) / titleWidth,
                left: parseFloat(getComputedStyle(client).backgroundPositionX) || 0,
                whole: text.scrollHeight <= text.clientHeight};
    }, 600);
    // The table has the text longer than the screen; where the page's is shorter, its box is no
    // higher than the text.
    const expected = {client: box(row.rules, 0), text: box(row.rules, 4)};
    if (drawnRules.whole && drawnRules.text[3] < expected.text[3]) {
        expected.text[3] = drawnRules.text[3];
        expected.client[3] = expected.text[1] + expected.text[3];
    }
    assert.deepEqual(drawnRules.client, expected.client, `${where}: Rules' client area`);
    assert.deepEqual(drawnRules.text, expected.text, `${where}: Rules' text`);
    near(drawnRules.scale, row.rules[12], `${where}: Rules' picture`);
    assert.equal(drawnRules.left, row.rules[13], `${where}: Rules' picture's left`);
    await rules.getByRole('button', {name: 'Close'}).click();
    await rules.waitFor({state: 'detached'});
}

async function screens(finger) {
    const chosen = rows.filter((row) => row.finger === finger);
    assert.ok(chosen.length >= 4);
    await withBrowser(site, async ({open}) => {
        const page = await open();
        for (const row of chosen) {
            const where = `${row.width} x ${row.height} by ${finger ? 'finger' : 'mouse'}`;
            await page.setViewportSize({width: row.width, height: row.height});
            await page.waitForFunction(([w, h]) => innerWidth === w && innerHeight === h, [row.width, row.height]);
            await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
            await checkBoard(page, row, where);
            if (row.fingerWindows) {
                await checkHelp(page, row, where);
            }
        }
    }, {hasTouch: finger, viewport: {width: chosen[0].width, height: chosen[0].height}});
}

runScenarios({
    async 'screens by mouse'() {
        await screens(false);
    },
    async 'screens by finger, a large touch screen among them'() {
        await screens(true);
    },
});
