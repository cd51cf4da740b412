// The game's message boxes, one OK button each: the browser's own modal dialogs, which keep
// everything behind them out of reach of the pointer, the keyboard and screen readers, hold the
// focus while they are open and give it back when they close.
import * as Board from './board.js';
import * as Geometry from './geometry.js';
import * as Menus from './menus.js';
import {codes, fingerWindows} from './page.js';

// A message box's icon by its style's name.
const ICONS = {critical: '\u00d7', question: '?', exclamation: '!', information: 'i'};
let count = 0;
// The open box, or null.
let open = null;

// The box at the board's scale for a mouse, unscaled for a finger, or smaller where it would not
// fit.
export function fit() {
    if (open) {
        const room = Geometry.windowRoom(innerWidth, innerHeight);
        const fitted = Geometry.fit(room.width, room.height, {w: open.offsetWidth, h: open.offsetHeight});
        const scale = Math.min(fingerWindows.matches ? 1 : Board.scale, fitted.scale);
        open.style.transform = `scale(${scale})`;
    }
}

// Shows the box; `closed` is called once the player has closed it (its OK, Enter, Space or Escape).
export function show(text, title, style, closed) {
    const box = document.createElement('dialog');
    box.className = 'window message-box';
    box.setAttribute('role', 'alertdialog');
    box.setAttribute('aria-modal', 'true');
    const id = `message-${++count}`;
    box.setAttribute('aria-labelledby', `${id}-title`);
    box.setAttribute('aria-describedby', `${id}-text`);
    const bar = document.createElement('div');
    bar.className = 'title-bar';
    const heading = document.createElement('h2');
    heading.id = `${id}-title`;
    heading.textContent = title;
    bar.append(heading);
    const body = document.createElement('div');
    body.className = 'message-body';
    const styles = codes.messageStyles;
    const kind = Object.keys(styles).find((k) => styles[k] === style) || 'information';
    const icon = document.createElement('div');
    icon.className = `message-icon ${kind}`;
    icon.setAttribute('aria-hidden', 'true');
    icon.textContent = ICONS[kind];
    const message = document.createElement('p');
    message.className = 'message-text';
    message.id = `${id}-text`;
    message.textContent = text;
    body.append(icon, message);
    const buttons = document.createElement('div');
    buttons.className = 'message-buttons';
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.textContent = 'OK';
    buttons.append(ok);
    box.append(bar, body, buttons);
    // OK, or Escape (the browser's cancel, or a close of its own): the box goes, and the browser
    // gives the focus back before the game hears of it.
    const finish = () => {
        if (open === box) {
            open = null;
            box.close();
            box.remove();
            closed();
        }
    };
    ok.addEventListener('click', finish);
    // A press beside the OK button, on the box or the shade around it, leaves the focus on it, and
    // so does Tab, which would take it out of the page: the box has nothing else to go to. Shift+Tab
    // is the Tab key too, whatever key name the browser gives it (WebKitGTK's is "Unidentified").
    box.addEventListener('mousedown', (event) => {
        if (event.target !== ok) {
            event.preventDefault();
        }
    });
    box.addEventListener('keydown', (event) => {
        if (event.key === 'Tab' || event.code === 'Tab') {
            event.preventDefault();
        }
    });
    box.addEventListener('cancel', (event) => {
        event.preventDefault();
        finish();
    });
    box.addEventListener('close', finish);
    Menus.close();
    document.body.append(box);
    box.showModal();
    open = box;
    fit();
}
