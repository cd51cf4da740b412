// The input gate: every call into the game's module passes here, one at a time. The page holds
// back calls until the module has loaded, while a step of the game is suspended at a message
// box (the module admits no other call then), while another call runs (what the page does on
// the game's orders is the game's own doing and need not be told back), and after the game
// has ended.
const Gate = (() => {
    let ready = false;
    let suspended = false;
    let calling = false;
    let ended = false;

    // Runs one entry point of the module. A call that reaches a message box returns a promise
    // and leaves the page suspended until the player has closed the box and the step has run
    // to its end. Returns the entry point's result, or undefined when the call was held.
    function call(name, args = []) {
        if (!ready || suspended || ended || calling) {
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
            suspended = true;
            result.then(() => { suspended = false; }, fail);
            return true;
        }
        return result;
    }

    function fail(error) {
        ended = true;
        console.error(error);
    }

    return {
        call,
        fail,
        open() { ready = true; },
        end() { ended = true; },
        get ready() { return ready; },
        get suspended() { return suspended; },
        get ended() { return ended; },
    };
})();
