// The input gate: every call into the game's module passes here, one at a time. The page holds
// back calls while a step of the game is suspended at a message box (the module admits no other
// call then), while another call runs (what the page does on the game's orders is the game's own
// doing and need not be told back), and after the game has ended. What the player does before
// the module has loaded is kept, and carried out in order once the game has started.
const Gate = (() => {
    // The calls a player's action makes, and the focus coming back from a menu or a help window
    // that one opened; the rest (the browser's focus moves, leaving the page) only matter to a
    // game that is already running.
    const PLAYER = new Set(['zx_menu', 'zx_button', 'zx_ball', 'zx_key', 'zx_focus_returned']);
    let ready = false;
    let suspended = null;  // the suspended step's promise
    let calling = false;
    let ended = false;
    const held = [];

    // Runs one entry point of the module. A call that reaches a message box returns a promise
    // and leaves the page suspended until the player has closed the box and the step has run
    // to its end. Returns the entry point's result, or undefined when the call was held.
    function call(name, args = []) {
        if (!ready || held.length > 0) {
            if (PLAYER.has(name) && !ended) {
                held.push([name, args]);
            }
            return undefined;
        }
        return run(name, args);
    }

    function run(name, args) {
        if (suspended || ended || calling) {
            return undefined;
        }
        calling = true;
        let result;
        try {
            // Without the async option ccall answers at once, unless the call was suspended.
            result = Module.ccall(name, 'number', args.map(() => 'number'), args);
        } finally {
            calling = false;
        }
        if (result instanceof Promise) {
            suspended = result.then(() => { suspended = null; }, fail);
            return true;
        }
        return result;
    }

    function fail(error) {
        ended = true;
        console.error(error);
    }

    // The module has loaded: `begin` starts the game, then what was held runs, each call after
    // the one before has finished.
    async function open(begin) {
        ready = true;
        begin(run);
        // The start-up's own window first, as it stands before anything held changes it.
        await new Promise((resolve) => setTimeout(resolve));
        while (held.length > 0 && !ended) {
            while (suspended) {
                await suspended;
            }
            const [name, args] = held.shift();
            run(name, args);
        }
    }

    return {
        call,
        fail,
        open,
        end() { ended = true; },
        get ready() { return ready; },
        get suspended() { return suspended !== null; },
        get ended() { return ended; },
    };
})();
