// About and Rules: in-page windows over the game, which goes on; dragged by their title bars.
import * as Board from './board.js';
import * as Geometry from './geometry.js';
import {layout, codes, px, setBox, setFont, fingerWindows} from './page.js';

const windows = new Map();  // by the game's number: About, Rules
let cascade = 0;

const clamp = (value, low, high) => Math.max(low, Math.min(value, high));

// The title picture at the size the window shows it: twice as sharp where a window pixel
// takes more than one of the screen's. The page has only its top, all a help window shows
// (tools/draw-pictures), as wide as the picture and as high as that top is.
function titlePicture(scale) {
    return devicePixelRatio * scale > 1 ? 'url(pictures/title-top@2x.webp)' : 'url(pictures/title-top.webp)';
}

// The title picture on the window at scale `s` of the design, `left` pixels across its client
// area; About's Ok button at `ok` shows the middle of the whole picture as its face.
function dress(w, s, left, ok) {
    const width = layout.pictures.titleWidth * s;
    const size = `${px(width)} auto`;
    w.client.style.backgroundSize = size;
    w.client.style.backgroundPosition = left > 0 ? `${px(left)} 0` : '';
    if (w.ok) {
        w.ok.style.backgroundSize = size;
        w.ok.style.backgroundPosition = `${px((ok.w - width) / 2)} ${
            px((ok.h - layout.pictures.titleHeight * s) / 2)}`;
    }
}

// For a mouse: the window as its design has it, scaled as a whole by the caller.
function asDesigned(w) {
    const {design} = w;
    w.client.style.width = px(design.client.w);
    w.client.style.height = px(design.client.h);
    if (w.ok) {
        setBox(w.ok, design.ok);
    } else {
        setBox(w.text, design.textBox);
    }
    dress(w, 1, 0, design.ok);
}

// For a finger: the window unscaled, so that its text reads as the design has it, laid out by
// the layout within `room`. Returns the title picture's scale.
function forFinger(w, room) {
    if (w.ok) {
        const about = Geometry.aboutForFinger(room);
        w.client.style.width = px(about.client.w);
        w.client.style.height = px(about.client.h);
        setBox(w.ok, about.ok);
        dress(w, about.pictureScale, 0, about.ok);
        return about.pictureScale;
    }
    // The text no higher than it needs, on a screen with room to spare: measured at the width the
    // layout gives it.
    const wide = Geometry.rulesForFinger(room, 0);
    w.text.style.width = px(wide.textBox.w);
    w.text.style.height = '0';
    const whole = w.text.scrollHeight + w.text.offsetHeight - w.text.clientHeight;
    const rules = Geometry.rulesForFinger(room, whole);
    setBox(w.text, rules.textBox);
    w.client.style.width = px(rules.client.w);
    w.client.style.height = px(rules.client.h);
    dress(w, rules.pictureScale, rules.pictureLeft);
    return rules.pictureScale;
}

// The window kept inside the viewport beneath the menu bar: its title bar and close box are
// always in reach. For a mouse it is at the board's scale, or smaller where it would not fit;
// for a finger it is laid out to fit unscaled.
function fit(w) {
    const margin = layout.finger.margin;
    const below = document.querySelector('header').getBoundingClientRect().bottom;
    const finger = fingerWindows.matches;
    let pictureScale = 1;
    if (finger) {
        // The window's frame is its border.
        pictureScale = forFinger(w, Geometry.helpWindowRoom(innerWidth, innerHeight, below, w.clientLeft));
    } else {
        asDesigned(w);
    }
    const width = w.offsetWidth;
    const height = w.offsetHeight;
    const room = Geometry.windowRoom(innerWidth, innerHeight - below);
    const scale = Math.min(finger ? 1 : Board.scale, Geometry.fit(room.width, room.height, {w: width, h: height}).scale);
    const left = clamp(w.left, margin, innerWidth - width * scale - margin);
    const top = clamp(w.top, below + margin, innerHeight - height * scale - margin);
    w.style.left = px(left);
    w.style.top = px(top);
    w.style.transform = `scale(${scale})`;
    const picture = titlePicture(scale * pictureScale);
    for (const element of [w.client, w.ok]) {
        if (element && element.style.backgroundImage !== picture) {
            element.style.backgroundImage = picture;
        }
    }
}

// The window to the front: the help windows keep the stacking levels 101 and up, under the
// menus and the message boxes.
function raise(w) {
    const order = [...windows.values()].filter((other) => other !== w);
    order.sort((a, b) => Number(a.style.zIndex) - Number(b.style.zIndex));
    order.push(w);
    order.forEach((other, i) => { other.style.zIndex = String(101 + i); });
}

function make(which) {
    const design = which === codes.help.about ? layout.about : layout.rules;
    const w = document.createElement('section');
    w.className = 'window help-window';
    w.setAttribute('role', 'dialog');
    w.setAttribute('aria-modal', 'false');
    const headingId = `help-${which}-title`;
    w.setAttribute('aria-labelledby', headingId);
    const bar = document.createElement('div');
    bar.className = 'title-bar';
    const heading = document.createElement('h2');
    heading.id = headingId;
    heading.textContent = design.caption;
    const closeBox = document.createElement('button');
    closeBox.type = 'button';
    closeBox.className = 'close-box';
    closeBox.setAttribute('aria-label', 'Close');
    closeBox.textContent = '\u00d7';
    closeBox.addEventListener('click', () => close(which));
    bar.append(heading, closeBox);
    const client = document.createElement('div');
    client.className = 'help-client';
    w.design = design;
    w.client = client;
    if (which === codes.help.about) {
        const ok = document.createElement('button');
        ok.type = 'button';
        ok.className = 'about-ok';
        ok.textContent = design.okCaption;
        setFont(ok, design.font);
        ok.addEventListener('click', () => close(which));
        client.append(ok);
        w.ok = ok;
        w.focusTarget = ok;
    } else {
        const text = document.createElement('textarea');
        text.readOnly = true;
        text.setAttribute('aria-label', design.caption);
        text.value = design.text;
        setFont(text, design.font);
        client.append(text);
        w.text = text;
        w.focusTarget = text;
    }
    w.append(bar, client);
    w.addEventListener('pointerdown', () => raise(w));
    dragBy(bar, w);
    w.left = 24 + 24 * cascade;
    w.top = 40 + 24 * cascade;
    cascade = (cascade + 1) % 6;
    return w;
}

function dragBy(handle, w) {
    handle.addEventListener('pointerdown', (event) => {
        if (event.target !== handle && event.target.tagName !== 'H2') {
            return;
        }
        const startX = event.clientX - w.left;
        const startY = event.clientY - w.top;
        handle.setPointerCapture(event.pointerId);
        const move = (e) => {
            w.left = e.clientX - startX;
            w.top = e.clientY - startY;
            fit(w);
        };
        // Let go, or taken away by the browser: the window stays where it was last put.
        const up = () => {
            handle.removeEventListener('pointermove', move);
            handle.removeEventListener('pointerup', up);
            handle.removeEventListener('pointercancel', up);
            w.left = parseFloat(w.style.left);
            w.top = parseFloat(w.style.top);
            fit(w);
        };
        handle.addEventListener('pointermove', move);
        handle.addEventListener('pointerup', up);
        handle.addEventListener('pointercancel', up);
    });
}

export function show(which) {
    let w = windows.get(which);
    const fresh = !w;
    if (!w) {
        w = make(which);
        windows.set(which, w);
        document.getElementById('windows').append(w);
    }
    raise(w);
    fit(w);
    if (fresh && w.focusTarget.tagName === 'TEXTAREA') {
        // A new Rules window starts at its first line, with the caret there.
        w.focusTarget.setSelectionRange(0, 0);
        w.focusTarget.scrollTop = 0;
    }
    w.focusTarget.focus({preventScroll: true});
}

export function close(which) {
    const w = windows.get(which);
    if (w) {
        const hadFocus = w.contains(document.activeElement);
        w.remove();
        windows.delete(which);
        if (hadFocus) {
            Board.restoreFocus();
        }
    }
}

export function closeAll() {
    for (const which of [...windows.keys()]) {
        close(which);
    }
}

export function fitAll() {
    for (const w of windows.values()) {
        fit(w);
    }
}
