// What every part of the page shares: the windows' design the game exports, carried in the page,
// the numbers its entry points take, the test-only address options, and small helpers to put a
// control where the design says.
const params = new URLSearchParams(location.search);
// The windows' design and the window as the game's start-up leaves it, carried in the page so that
// the window shows before the module has loaded.
export const layout = JSON.parse(document.getElementById('zentrix-layout').textContent);

export const px = (n) => `${n}px`;

// The numbers the game's entry points take, from the game itself.
export const codes = layout.codes;

// Puts `element` at rectangle `r` of its window's design.
export function setBox(element, r) {
    element.style.left = px(r.x);
    element.style.top = px(r.y);
    element.style.width = px(r.w);
    element.style.height = px(r.h);
}

export function setFont(element, font) {
    element.style.fontFamily = `"${font.family}", "${font.nearest}", sans-serif`;
    element.style.fontSize = px(font.px);
    element.style.fontWeight = font.bold ? 'bold' : 'normal';
}

// A click's count of quick clicks in a row, as the game takes it: a click the browser makes for
// another reason (a screen reader's) counts as one.
export const clicks = (event) => Math.max(1, event.detail || 0);

// For the page's tests only: a fixed deal, and the clock run up to 100 times faster. The address is
// data from anywhere: an option is taken only as a number in its range, and anything else is as if
// it were not there.
const seedAsked = params.get('seed');
const speedAsked = /^\d+(\.\d+)?$/.test(params.get('speed')) ? Number(params.get('speed')) : NaN;
export const seed = seedAsked !== null && /^\d{1,10}$/.test(seedAsked) && Number(seedAsked) <= 0xffffffff
    ? Number(seedAsked) : null;
export const speed = Number.isFinite(speedAsked) && speedAsked >= 1 && speedAsked <= 100 ? speedAsked : 1;

export const picture = (number) => `pictures/${number}@2x.webp`;
// The six markers in one picture, 100 at the top; the style sheet shows each its own row.
export const markers = 'pictures/markers@2x.webp';
// Whether the windows over the game (menus, help windows, message boxes) are drawn for a finger,
// by the layout's rule for the screen.
export const fingerWindows = matchMedia(layout.finger.windows);
