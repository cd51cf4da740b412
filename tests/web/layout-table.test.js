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
        return {width: Number(width), height: Number(height), finger: pointer === 'finger', above: Number(above),
                frame: Number(frame), fingerWindows: choice[1] === 'finger', board: board.map(Number),
                about: about && about.map(Number), rules: rules && rules.map(Number)};
    });

const near = (got, want, what) => assert.ok(Math.abs(got - want) < 1e-5, `${what}: ${got}, the layout has ${want}`);

// In the page: the board's scale, left and top as the style sheet has it (the script's own placing
// set aside for the moment) and as the script has it; the menu bar's height; whether the windows
// are drawn for a finger.
function boardNow() {
    const board = document.getElementById('board');
    const matrix = () => { const m = new DOMMatrixReadOnly(getComputedStyle(board).transform); return [m.a, m.e, m.f]; };
    const script = matrix();
    const placed = board.style.transform;
    board.style.transform = '';
    const sheet = matrix();
    board.style.transform = placed;
    const windows = JSON.parse(document.getElementById('zentrix-layout').textContent).finger.windows;
    return {sheet, script, above: document.querySelector('header').getBoundingClientRect().bottom,
            fingerWindows: matchMedia(windows).matches};
}

// A help window's parts as laid out, [x, y, w, h] each, its frame and its title picture's scale.
function helpNow(w) {
    const place = (e) => [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight];
    const client = w.querySelector('.help-client');
    const text = w.querySelector('textarea');
    const style = getComputedStyle(client);
    return {frame: w.clientLeft, client: [0, 0, client.offsetWidth, client.offsetHeight],
            inside: place(w.querySelector('.about-ok') || text), whole: text && text.scrollHeight <= text.clientHeight,
            scale: parseFloat(style.backgroundSize) / 600, left: parseFloat(style.backgroundPositionX) || 0};
}

async function checkScreen(page, row, where) {
    const got = await page.evaluate(boardNow);
    assert.equal(got.above, row.above, `${where}: the menu bar's height`);
    assert.equal(got.fingerWindows, row.fingerWindows, `${where}: the windows drawn for a finger`);
    for (const [drawn, by] of [[got.sheet, 'the style sheet'], [got.script, 'the script']]) {
        near(drawn[0], row.board[0], `${where}: the board's scale by ${by}`);
        assert.deepEqual(drawn.slice(1), row.board.slice(1), `${where}: the board's place by ${by}`);
    }
    if (!row.fingerWindows) {
        return;
    }
    for (const [item, name, closer] of [['About', 'ABout', 'Ok'], ['Rules', 'Rules', 'Close']]) {
        await chooseMenu(page, 'Help', item);
        const w = page.getByRole('dialog', {name});
        await w.waitFor();
        const drawn = await w.evaluate(helpNow);
        const answers = item === 'About' ? row.about : row.rules;
        const expected = {frame: row.frame, client: answers.slice(0, 4), inside: answers.slice(4, 8),
                          scale: answers[item === 'About' ? 8 : 12], left: item === 'About' ? 0 : answers[13]};
        // The table has the rules longer than the screen; where the page's text is shorter, its
        // box is no higher than the text.
        if (drawn.whole && drawn.inside[3] < expected.inside[3]) {
            expected.inside[3] = drawn.inside[3];
            expected.client[3] = expected.inside[1] + expected.inside[3];
        }
        near(drawn.scale, expected.scale, `${where}: ${item}'s picture`);
        assert.deepEqual({...drawn, whole: undefined, scale: undefined}, {...expected, scale: undefined, whole: undefined},
                         `${where}: ${item}`);
        await w.getByRole('button', {name: closer, exact: true}).click();
        await w.waitFor({state: 'detached'});
    }
}

async function screens(finger) {
    const chosen = rows.filter((row) => row.finger === finger);
    await withBrowser(site, async ({open}) => {
        const page = await open();
        for (const row of chosen) {
            await page.setViewportSize({width: row.width, height: row.height});
            await page.waitForFunction(([w, h]) => innerWidth === w && innerHeight === h, [row.width, row.height]);
            await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
            await checkScreen(page, row, `${row.width} x ${row.height} by ${finger ? 'finger' : 'mouse'}`);
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
