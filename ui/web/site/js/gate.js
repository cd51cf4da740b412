// The input gate: every call into the game's module passes here, one at a time. What the player
// does before the module has loaded is kept, and carried out in order once the game has started.
// A call made while another runs is dropped (what the page does on the game's orders, such as the
// focus it moves, is the game's own doing and need not be told back), and so is every call after
// the game has ended. What the game takes while one of its message boxes is open is the game's to
// decide.

// The calls a player's action makes, and the focus coming back from a menu or a help window that
// one opened; the rest (the browser's focus moves, leaving the page) only matter to a game that is
// already running.
const PLAYER = new Set(['zx_menu', 'zx_button', 'zx_ball', 'zx_key', 'zx_focus_returned']);
let ready = false;
let calling = false;
let ended = false;
const held = [];

// Runs one entry point of the module. Returns the entry point's result, or undefined when the
// call was held or dropped.
export function call(name, args = []) {
    if (!ready || held.length > 0) {
        if (PLAYER.has(name) && !ended) {
            held.push([name, args]);
        }
        return undefined;
    }
    return run(name, args);
}

function run(name, args) {
    if (ended || calling) {
        return undefined;
    }
    calling = true;
    try {
        return Module.ccall(name, 'number', args.map(() => 'number'), args);
    } finally {
        calling = false;
    }
}

// The game has stopped, or cannot start: nothing more reaches it.
export function end() {
    ended = true;
}

export const isReady = () => ready;
export const hasEnded = () => ended;

// The module has loaded: `begin` starts the game, then what was held runs in order.
export async function open(begin) {
    ready = true;
    begin(run);
    // The start-up's own window first, as it stands before anything held changes it.
    await new Promise((resolve) => setTimeout(resolve));
    while (held.length > 0 && !ended) {
        const [name, args] = held.shift();
        run(name, args);
    }
}
