// The player's input: the keys the game gives a meaning to, F10 and Alt for the menus, F11 and
// the bar's button for the full screen, and the browser's own focus moves, all passed to the game.
import * as Board from './board.js';
import * as Gate from './gate.js';
import * as Help from './help.js';
import * as Menus from './menus.js';
import * as Messages from './messages.js';
import {codes, fingerWindows} from './page.js';

// The browser's keys the game gives a meaning to, by the controller's names.
const KEYS = {ArrowUp: 'up', ArrowDown: 'down', ArrowLeft: 'left', ArrowRight: 'right',
              ' ': 'activate', Enter: 'activate', Spacebar: 'activate'};
let altAlone = false;

function toggleFullScreen() {
    if (document.fullscreenElement) {
        document.exitFullscreen().catch(() => {});
    } else {
        document.documentElement.requestFullscreen().catch(() => {});
    }
}

// The board, a help window and a message box fitted to the page again, as it changes its size (the
// phone turns) or its pointer (a mouse plugged into a tablet, or taken away).
function fitAll() {
    Board.fit();
    Help.fitAll();
    Messages.fit();
}

export function wire() {
    Board.element.addEventListener('focusin', (event) => {
        const focus = Board.focusOf(event.target);
        if (focus) {
            Gate.call('zx_focus', focus);
        }
    });
    document.addEventListener('keydown', (event) => {
        if (event.key === 'F11' && document.fullscreenEnabled) {
            event.preventDefault();
            toggleFullScreen();
            return;
        }
        altAlone = event.key === 'Alt';
        if (event.key === 'F10') {
            event.preventDefault();
            Menus.enter();
            return;
        }
        const key = KEYS[event.key];
        if (key === undefined || event.altKey || event.ctrlKey || event.metaKey) {
            return;
        }
        if (!Board.focusOf(document.activeElement)) {
            return;
        }
        // The game's controls answer these keys through the game, never natively.
        event.preventDefault();
        Gate.call('zx_key', [codes.keys[key], event.repeat ? 1 : 0]);
    });
    document.addEventListener('keyup', (event) => {
        // Alt pressed and released alone opens the menu bar, as on the desktop.
        if (event.key === 'Alt' && altAlone) {
            altAlone = false;
            event.preventDefault();
            Menus.enter();
            return;
        }
        if (KEYS[event.key] === 'activate' && Board.focusOf(document.activeElement)) {
            event.preventDefault();  // a Space released on a button must not press it again
        }
    });
    // Where the page cannot have the whole screen (an iPhone, an older Safari), the button goes,
    // and F11 is left to the browser.
    const fullScreen = document.getElementById('full-screen');
    if (document.fullscreenEnabled) {
        fullScreen.addEventListener('click', toggleFullScreen);
    } else {
        fullScreen.remove();
    }
    addEventListener('resize', fitAll);
    fingerWindows.addEventListener('change', fitAll);
    // Leaving the page ends the game, unless the browser keeps the page to come back to.
    addEventListener('pagehide', (event) => {
        if (!event.persisted) {
            Gate.call('zx_shut_down');
        }
    });
}

