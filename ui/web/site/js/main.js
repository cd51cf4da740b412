// The page's start, from its first paint to the first deal, in the order it happens: the window
// shows at once from the page's own markup and style sheet, as the game's start-up will leave it;
// the script takes it over once it has been painted with its pictures; then the game's module is
// asked for, and the game starts once it has loaded.
import * as Board from './board.js';
import * as Gate from './gate.js';
import * as Geometry from './geometry.js';
import * as Help from './help.js';
import * as Input from './input.js';
import * as Loader from './loader.js';
import * as Menus from './menus.js';
import {layout, seed} from './page.js';
import {port} from './port.js';

// What the page says while the game loads, once it has started, and when it cannot start. The
// page's word that the game cannot start, after its script in the page, shows unless the script
// runs: the script hides it as it starts, and shows it again whenever the game cannot start (a
// browser without WebAssembly, the module refused by the policy, its WebAssembly not the file the
// page was built with). Where the style sheet alone cannot scale the board, the felt says
// "Loading…" until the script has shown it; the menu bar says so until the game has started.
function say(state) {
    const remove = (...ids) => ids.forEach((id) => document.getElementById(id)?.remove());
    if (state === 'loading') {
        document.documentElement.classList.add('runs');
    } else if (state === 'shown') {
        remove('loading');
    } else if (state === 'started') {
        Board.stage.setAttribute('aria-busy', 'false');
        remove('busy');
    } else if (state === 'cannot start' && !Gate.isReady()) {
        document.documentElement.classList.remove('runs');
        remove('busy', 'loading');
    }
}

// Whatever keeps the game from starting, or stops it later: nothing more reaches it.
function cannotStart(error) {
    say('cannot start');
    Gate.end();
    console.error(error);
}

// Once the window has been painted with its pictures, a frame after they are ready (or at once on
// a page not shown), so that the script adds nothing before that paint.
async function painted() {
    await Promise.all([...Board.element.querySelectorAll('img')].map((img) => img.decode().catch(() => {})));
    await new Promise((resolve) => {
        const now = () => setTimeout(resolve);
        if (document.visibilityState === 'hidden') {
            now();
        } else {
            requestAnimationFrame(now);
        }
    });
}

// The script takes the window over as the page shows it: it wires the controls and builds the menu
// bar, and writes nothing of the start view again.
function takeOver() {
    document.title = layout.caption;
    Board.build();
    // About and Rules need nothing of the game: before it has loaded the page opens them itself.
    Menus.build((item) => {
        if (!Gate.isReady() && item.help !== undefined) {
            Help.show(item.help);
        } else {
            Gate.call('zx_menu', [item.command]);
        }
    });
    Input.wire();
    port.showWindow();
    port.moveFocus(layout.start.focus.kind, layout.start.focus.slot);
}

// The game starts on this screen's size and depth, its start-up applies its own view, and what the
// player did meanwhile follows.
function start() {
    const ratio = devicePixelRatio || 1;
    Gate.open((run) => run('zx_start', [
        seed !== null ? 1 : 0, seed !== null ? seed : 0,
        Math.round(screen.width * ratio), Math.round(screen.height * ratio), screen.colorDepth || 24]));
}

// Every visit asks for the worker's script past the HTTP cache: a new version of the site is a new
// worker, which fetches and checks the whole version and serves it from the next visit on. A visit
// the worker serves asks at once, as its files come from the worker and the check takes nothing
// from them, so that even a short visit finds a new version; the first visit waits until the page
// has loaded, so that the worker's own copy of every file does not slow it.
function keepForOffline() {
    if ('serviceWorker' in navigator && location.protocol !== 'file:') {
        const check = () => navigator.serviceWorker.register('sw.js', {updateViaCache: 'none'})
            .then((registration) => registration.update())
            .catch((error) => console.warn(error));
        if (navigator.serviceWorker.controller) {
            check();
        } else {
            addEventListener('load', check);
        }
    }
}

async function boot() {
    say('loading');
    keepForOffline();
    await painted();
    // The layout's own code, which places the windows from now on.
    try {
        await Geometry.load();
    } catch (error) {
        cannotStart(error);
        return;
    }
    takeOver();
    say('shown');
    // The module, asked for only now: on a slow network it would take its share of the bandwidth
    // from the pictures, and it comes no later than if all came at once.
    await Loader.load(cannotStart);
    say('started');
    start();
}

boot();
