// The board: the main window's controls, arranged for the screen (the form as designed, or made for
// a finger on a phone held either way), and scaled as one piece to the largest size that fits the
// felt.
import * as Gate from './gate.js';
import * as Geometry from './geometry.js';
import {layout, codes, clicks} from './page.js';

export const element = document.getElementById('board');
export const stage = document.getElementById('stage');
export const slots = [];
export const rings = [];
export const labels = [];
export const markers = [];
export let rackPicture = null;
export let scoreButton = null;
export let progress = null;
export let progressFill = null;
export let scale = 1;
let nextButton = null;
// The media queries that choose an arrangement.
const queries = layout.arrangements.map((a) => matchMedia(a.media));

// The controls of the main window are in the page as the game's start-up leaves them, where the
// style sheet puts them for each arrangement (start-view.js writes both): the board takes them
// over as they are, in the order they were written, and writes nothing into them.
export function build() {
    element.querySelectorAll('.marker').forEach((img, index) => { markers[layout.markers[index].index] = img; });
    labels.push(...element.querySelectorAll('.label'));
    element.querySelectorAll('.ring').forEach((ring, slot) => { rings[slot] = ring; });
    for (const ball of element.querySelectorAll('.ball')) {
        const slot = Number(ball.dataset.slot);
        slots[slot] = ball;
        ball.addEventListener('click', (event) => Gate.call('zx_ball', [slot, clicks(event)]));
    }
    nextButton = document.getElementById('next-ball');
    rackPicture = nextButton.querySelector('img');
    scoreButton = document.getElementById('take-score');
    progress = document.getElementById('progress');
    progressFill = progress.firstElementChild;
    for (const [button, code] of [[nextButton, codes.buttons.nextBall], [scoreButton, codes.buttons.takeScore]]) {
        button.addEventListener('click', (event) => Gate.call('zx_button', [code, clicks(event)]));
    }
}

// The board scaled as one piece to the largest size that fits, centred on the felt, in the
// arrangement for this screen: the first whose media query matches (the form as designed matches
// every screen), as the style sheet chooses it.
export function fit() {
    const width = stage.clientWidth;
    const height = stage.clientHeight;
    if (!(width > 0 && height > 0)) {
        return;
    }
    const area = layout.arrangements[queries.findIndex((query) => query.matches)].area;
    const fitted = Geometry.fit(width, height, area);
    scale = fitted.scale;
    element.style.transform = `translate(${fitted.left}px, ${fitted.top}px) scale(${scale})`;
}

// The focusable control's kind and slot as the game names them, or null.
export function focusOf(control) {
    if (!control || !element.contains(control)) {
        return null;
    }
    if (control.classList.contains('ball')) {
        return [codes.focus.ball, Number(control.dataset.slot)];
    }
    if (control === nextButton) {
        return [codes.focus.nextBall, -1];
    }
    if (control === scoreButton) {
        return [codes.focus.takeScore, -1];
    }
    return null;
}

export function control(kind, slot) {
    return kind === codes.focus.ball ? slots[slot]
         : kind === codes.focus.nextBall ? nextButton
         : kind === codes.focus.takeScore ? scoreButton : null;
}

// A menu or a help window has let the focus go: the game says where it goes back to.
export function restoreFocus() {
    Gate.call('zx_focus_returned');
}
